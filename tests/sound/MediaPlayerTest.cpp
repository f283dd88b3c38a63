// The media player's errors, and a game that goes on at once when no sound server answers.
#include "sound/MediaPlayer.h"
#include "MidiFixture.h"
#include "sound/GameSounds.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString ShippedSounds = QStringLiteral(RENNOR_SOUNDS_DIR "/");
// Far above what any call should take; only a hang comes near it.
constexpr qint64 HangMs = 10000;

class MediaPlayerTest : public testing::Test {
protected:
    // Every test of this program runs as if the machine had no sound server at all.
    static void SetUpTestSuite() { qputenv("PULSE_SERVER", "unix:/nonexistent/rennor/native"); }

    QTemporaryDir Dir;
};

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EMCIDeviceError& error) {
        return error.what();
    }
    return "";
}

TEST_F(MediaPlayerTest, WithoutAnOpenDeviceCommandsFailAndFilesThatCannotPlayDoNotOpen) {
    ASSERT_TRUE(WriteFile(Dir.filePath("notes.txt"), "hello"));
    ASSERT_TRUE(WriteFile(Dir.filePath("fake.wav"), "not a wave file at all"));
    ASSERT_TRUE(WriteFile(Dir.filePath("fake.mid"), "not a tune"));
    for (const QString name : {"notes.txt", "fake.wav", "fake.mid", "missing.wav", "missing.mid"}) {
        TMediaPlayer player;
        player.SetFileName(Dir.filePath(name));
        EXPECT_FALSE(ErrorOf([&] { player.Open(); }).empty()) << name.toStdString();
        EXPECT_FALSE(player.IsOpen());
        for (auto command : {&TMediaPlayer::Play, &TMediaPlayer::Stop, &TMediaPlayer::Rewind}) {
            EXPECT_EQ(ErrorOf([&] { (player.*command)(); }), "No MCI device open");
        }
        EXPECT_NO_THROW(player.Close());
    }
}

TEST_F(MediaPlayerTest, WithoutASoundServerMusicAndSoundsReturnAtOnceAndTheGameGoesOn) {
    TMediaPlayer music;
    TMediaPlayer effects;
    LoopMusic(music);
    QElapsedTimer clock;
    clock.start();
    StartMusic(music, ShippedSounds);
    PlayGameOverSound(effects, "Rennor King", true, true, ShippedSounds);
    PlayGameOverSound(effects, "Tie Game", true, true, ShippedSounds);
    StopMusic(music);
    StartMusic(music, ShippedSounds);
    EXPECT_NO_THROW(StartMusic(music, Dir.path() + "/")); // no tune there: silence
    EXPECT_LT(clock.elapsed(), HangMs);
    // Wave audio has no output to open; nothing claims to play for ever.
    EXPECT_FALSE(effects.IsOpen());
    EXPECT_FALSE(effects.IsPlaying());

    bool eventLoopRan = false;
    QTimer::singleShot(0, [&] { eventLoopRan = true; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return eventLoopRan; }, int(HangMs)));
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty()) << "a message was shown";
}

} // namespace
