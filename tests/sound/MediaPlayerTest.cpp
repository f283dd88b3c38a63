// A game that goes on at once, silent and without a message, when no sound server answers.
#include "sound/MediaPlayer.h"
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

TEST(MediaPlayerTest, WithoutASoundServerMusicAndSoundsReturnAtOnceAndTheGameGoesOn) {
    qputenv("PULSE_SERVER", "unix:/nonexistent/rennor/native");
    QTemporaryDir empty;
    TMediaPlayer music, effects;
    LoopMusic(music);
    QElapsedTimer clock;
    clock.start();
    StartMusic(music, ShippedSounds);
    PlayGameOverSound(effects, "Rennor King", true, true, ShippedSounds);
    PlayGameOverSound(effects, "Tie Game", true, true, ShippedSounds);
    StopMusic(music);
    StartMusic(music, ShippedSounds);
    EXPECT_NO_THROW(StartMusic(music, empty.path() + "/")); // no tune there: silence
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
