// The main window's music through a private sound server: it starts with the program when the
// setting is on, plays again from the start at every end, and follows the setting on OK.
#include "MainFormTestSupport.h"
#include "MidiFixture.h"
#include "PulseServer.h"
#include "sound/GameSounds.h"
#include "sound/MediaPlayer.h"
#include "sound/SoundFont.h"

#include <QCheckBox>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

// About -30 dB below full scale: far above the exact zeros of a silent null sink.
constexpr int Audible = 1000;
// Generous for a loaded two-core machine; a correct run takes a few seconds.
constexpr int LongWaitMs = 60000;

class MainMusicTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
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

    bool WaitForSound(qsizetype from = 0) const {
        return QTest::qWaitFor([&] { return Recorder->Peak(from) > Audible; }, LongWaitMs);
    }

    // Shows the options dialog, sets the music box and presses OK.
    void PressOkWithMusic(bool on) {
        Options->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Options.get()));
        auto* box = Options->findChild<QCheckBox*>(QStringLiteral("MusicCheckBox"));
        if (box->isChecked() != on) {
            box->click();
        }
        Options->OKBtnClick();
    }

    std::unique_ptr<TSinkRecorder> Recorder;
};

TEST_F(MainMusicTest, StartsWithTheProgramAndFollowsTheSettingOnOk) {
    Store("MUSIC", QStringLiteral("1"));
    Start();
    EXPECT_EQ(Music().FileName(), SoundsFolder() + "Music.mid");
    EXPECT_TRUE(Music().IsPlaying());
    ASSERT_TRUE(WaitForSound());
    QSignalSpy ends(&Music(), &TMediaPlayer::Notify);

    // OK with the music unchanged neither restarts nor stops it.
    PressOkWithMusic(true);
    QTest::qWait(300);
    EXPECT_TRUE(ends.isEmpty());
    EXPECT_TRUE(Music().IsPlaying());

    PressOkWithMusic(false);
    EXPECT_FALSE(Music().IsPlaying()) << "stopped at once";
    EXPECT_TRUE(Music().IsOpen()) << "the device stays open";
    ASSERT_TRUE(ends.wait(LongWaitMs));
    EXPECT_EQ(ends.last().first().value<TNotifyResult>(), TNotifyResult::Aborted);
    // Released notes fade within a moment; after that the sink hears nothing.
    QTest::qWait(1500);
    const qsizetype quietFrom = Recorder->SampleCount();
    PressOkWithMusic(false);
    QTest::qWait(1000);
    EXPECT_LT(Recorder->Peak(quietFrom), Audible / 4);
    EXPECT_FALSE(Music().IsPlaying());

    PressOkWithMusic(true);
    EXPECT_TRUE(Music().IsPlaying());
    EXPECT_TRUE(WaitForSound(quietFrom));
    EXPECT_TRUE(Scripted->Errors.isEmpty());
}

TEST_F(MainMusicTest, TheMusicPlayerPlaysItsTuneAgainAtEveryEnd) {
    Start();
    EXPECT_FALSE(Music().IsOpen()) << "music off: no file opened at start-up";
    // A short tune in the music player, so that its ends come quickly.
    QTemporaryDir folder;
    ASSERT_TRUE(WriteFile(folder.filePath("Music.mid"), OneNoteMidi(300, 1500)));
    QSignalSpy ends(&Music(), &TMediaPlayer::Notify);
    StartMusic(Music(), folder.path() + "/");
    ASSERT_TRUE(QTest::qWaitFor([&] { return ends.count() >= 3; }, LongWaitMs));
    for (const QList<QVariant>& end : ends) {
        EXPECT_EQ(end.first().value<TNotifyResult>(), TNotifyResult::Successful);
    }
    EXPECT_TRUE(Music().IsPlaying());
    ASSERT_TRUE(QTest::qWaitFor([&] { return Recorder->CountOnsets(400) >= 3; }, LongWaitMs))
        << "onsets heard: " << Recorder->CountOnsets(400);
}

} // namespace
