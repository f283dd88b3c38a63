// The main window's music through a sound server of the test's own: it starts with the program
// when the setting is on and follows the setting on OK (the sound tests hear it loop).
#include "PulseServer.h"
#include "WindowTestSupport.h"
#include "sound/GameSounds.h"
#include "sound/MediaPlayer.h"
#include "sound/SoundFont.h"

#include <QCheckBox>
#include <QSignalSpy>

namespace {

class MainMusicTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        TPulseServer& server = SharedPulseServer();
        if (server.IsMissing()) {
            GTEST_SKIP() << server.Problem().toStdString();
        }
        ASSERT_TRUE(server.IsRunning()) << server.Problem().toStdString();
        if (FindSoundFont(SoundsFolder() + "Music.mid").isEmpty()) {
            GTEST_SKIP() << "no General MIDI soundfont is installed";
        }
        Recorder = std::make_unique<TSinkRecorder>(server);
        ASSERT_TRUE(Recorder->IsRecording());
    }

    TMediaPlayer& Music() const { return *Form->MediaPlayer2; }
    // The options dialog shown, its music box set and OK pressed.
    void OkWithMusic(bool on) {
        ShowOptions();
        Options->SetMusicChecked(on);
        Options->OKBtnClick();
    }

    std::unique_ptr<TSinkRecorder> Recorder;
};

TEST_F(MainMusicTest, StartsWithTheProgramAndFollowsTheSettingOnOk) {
    StartWith({{"MUSIC", "1"}});
    EXPECT_EQ(Music().FileName(), SoundsFolder() + "Music.mid");
    ASSERT_TRUE(Music().IsPlaying() && Recorder->WaitForSound());
    QSignalSpy ends(&Music(), &TMediaPlayer::Notify);
    OkWithMusic(true); // unchanged: neither restarted nor stopped
    ASSERT_TRUE(Recorder->Record(300));
    EXPECT_EQ(Line(ends.count(), Music().IsPlaying()), "0 true");

    OkWithMusic(false); // stopped at once; the device stays open
    EXPECT_EQ(Line(Music().IsPlaying(), Music().IsOpen()), "false true");
    ASSERT_TRUE(ends.wait(TSinkRecorder::LongWaitMs));
    EXPECT_EQ(ends.takeLast().first().value<TNotifyResult>(), TNotifyResult::Aborted);
    // Released notes fade; then the sink stays silent, also through an OK that changes nothing.
    ASSERT_TRUE(Recorder->WaitUntilQuiet(500, TSinkRecorder::Audible / 4));
    const qsizetype quietFrom = Recorder->SampleCount();
    OkWithMusic(false);
    ASSERT_TRUE(Recorder->Record(1000));
    EXPECT_LT(Recorder->Peak(quietFrom), TSinkRecorder::Audible / 4);
    OkWithMusic(true);
    EXPECT_TRUE(Music().IsPlaying() && Recorder->WaitForSound(quietFrom));
    EXPECT_TRUE(Ports->Errors.isEmpty());
}

} // namespace
