// The main window's music through a sound server of the test's own: it starts with the program
// when the setting is on, follows the setting on OK, and plays its tune again at every end.
#include "MidiFixture.h"
#include "PulseServer.h"
#include "WindowTestSupport.h"
#include "sound/GameSounds.h"
#include "sound/MediaPlayer.h"
#include "sound/SoundFont.h"

#include <QCheckBox>
#include <QSignalSpy>

namespace {

constexpr int Audible = 1000; // about -30 dB below full scale: far above a silent sink's zeros
constexpr int LongWaitMs = TSinkRecorder::LongWaitMs;

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
    bool WaitForSound(qsizetype from) const {
        return QTest::qWaitFor([&] { return Recorder->Peak(from) > Audible; }, LongWaitMs);
    }
    // The options dialog shown, its music box set and OK pressed.
    void OkWithMusic(bool on) {
        ShowOptions();
        if (Control<QCheckBox>("MusicCheckBox")->isChecked() != on) {
            Control<QCheckBox>("MusicCheckBox")->click();
        }
        Options->OKBtnClick();
    }

    std::unique_ptr<TSinkRecorder> Recorder;
};

TEST_F(MainMusicTest, StartsWithTheProgramFollowsTheSettingOnOkAndPlaysItsTuneAgainAtEveryEnd) {
    StartWith({{"MUSIC", "1"}});
    EXPECT_EQ(Music().FileName(), SoundsFolder() + "Music.mid");
    ASSERT_TRUE(Music().IsPlaying() && WaitForSound(0));
    QSignalSpy ends(&Music(), &TMediaPlayer::Notify);
    OkWithMusic(true); // unchanged: neither restarted nor stopped
    ASSERT_TRUE(Recorder->Record(300));
    EXPECT_EQ(Line(ends.count(), Music().IsPlaying()), "0 true");

    OkWithMusic(false); // stopped at once; the device stays open
    EXPECT_EQ(Line(Music().IsPlaying(), Music().IsOpen()), "false true");
    ASSERT_TRUE(ends.wait(LongWaitMs));
    EXPECT_EQ(ends.takeLast().first().value<TNotifyResult>(), TNotifyResult::Aborted);
    // Released notes fade; then the sink stays silent, also through an OK that changes nothing.
    ASSERT_TRUE(Recorder->WaitUntilQuiet(500, Audible / 4));
    const qsizetype quietFrom = Recorder->SampleCount();
    OkWithMusic(false);
    ASSERT_TRUE(Recorder->Record(1000));
    EXPECT_LT(Recorder->Peak(quietFrom), Audible / 4);
    OkWithMusic(true);
    EXPECT_TRUE(Music().IsPlaying() && WaitForSound(quietFrom));

    // A short tune in the music player, so that its ends come quickly: each round is one note
    // after a silence, and three ends mean three notes heard.
    QTemporaryDir folder;
    ASSERT_TRUE(WriteFile(folder.filePath("Music.mid"), OneNoteMidi(300, 1500)));
    StartMusic(Music(), folder.path() + "/");
    ends.clear();
    const qsizetype tuneFrom = Recorder->SampleCount();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ends.count() >= 4; }, LongWaitMs));
    for (const QList<QVariant>& end : ends.mid(1)) { // the first ends the shipped tune
        EXPECT_EQ(end.first().value<TNotifyResult>(), TNotifyResult::Successful);
    }
    EXPECT_TRUE(Music().IsPlaying());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Recorder->CountOnsets(400, tuneFrom) >= 3; }, LongWaitMs))
        << "onsets heard: " << Recorder->CountOnsets(400, tuneFrom);
    EXPECT_TRUE(Answers->Errors.isEmpty());
}

} // namespace
