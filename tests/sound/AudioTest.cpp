// Real sound through a private sound server: the game-over jingles and the music reach the
// speakers (a null sink whose monitor is recorded), the music loops, and stopping silences it.
#include "PulseServer.h"
#include "sound/GameSounds.h"
#include "sound/MediaPlayer.h"
#include "sound/SoundFont.h"

#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>

#include <tuple>

namespace {

const QString ShippedSounds = QStringLiteral(RENNOR_SOUNDS_DIR "/");
constexpr int Audible = TSinkRecorder::Audible;
constexpr int LongWaitMs = TSinkRecorder::LongWaitMs;

// A delta time in two bytes of the variable-length form: enough for the 16383 ticks (17 s) a
// test tune may last.
QByteArray Delta(quint32 ticks) {
    QByteArray out(2, char(0x80 | (ticks >> 7)));
    out[1] = char(ticks & 0x7F);
    return out;
}

// At 120 beats a minute and 480 ticks a beat, a tick is 1/960 s.
QByteArray OneNoteMidi(int noteMs, int totalMs) {
    const auto ticks = [](int ms) { return quint32(ms) * 960 / 1000; };
    QByteArray track;
    track += Delta(0) + QByteArray("\xC0\x00", 2);     // piano
    track += Delta(0) + QByteArray("\x90\x48\x7F", 3); // C5, loud
    track += Delta(ticks(noteMs)) + QByteArray("\x80\x48\x00", 3);
    track += Delta(ticks(totalMs) - ticks(noteMs)) + QByteArray("\xFF\x2F\x00", 3);
    QByteArray size(4, '\0');
    qToBigEndian(quint32(track.size()), size.data());
    return QByteArray("MThd\0\0\0\x06\0\0\0\x01\x01\xE0MTrk", 18) + size + track;
}

class AudioTest : public testing::Test {
protected:
    void SetUp() override {
        TPulseServer& server = SharedPulseServer();
        if (server.IsMissing()) {
            GTEST_SKIP() << server.Problem().toStdString();
        }
        ASSERT_TRUE(server.IsRunning()) << server.Problem().toStdString();
        Recorder = std::make_unique<TSinkRecorder>(server);
        ASSERT_TRUE(Recorder->IsRecording());
    }
    std::unique_ptr<TSinkRecorder> Recorder;
};

TEST_F(AudioTest, ShippedMusicPlaysStopsAtOnceAndMusicStartsAgainAfterEachEnd) {
    if (FindSoundFont(ShippedSounds + "Music.mid").isEmpty()) {
        GTEST_SKIP() << "no General MIDI soundfont is installed";
    }
    TMediaPlayer player;
    LoopMusic(player);
    QSignalSpy ends(&player, &TMediaPlayer::Notify);
    StartMusic(player, ShippedSounds);
    ASSERT_TRUE(player.IsOpen());
    ASSERT_TRUE(Recorder->WaitForSound());

    StopMusic(player);
    const qsizetype stopped = Recorder->SampleCount();
    EXPECT_EQ(std::pair(player.IsOpen(), player.IsPlaying()), std::pair(true, false));
    ASSERT_TRUE(ends.wait(LongWaitMs));
    EXPECT_EQ(ends.takeFirst().first().value<TNotifyResult>(), TNotifyResult::Aborted);
    // Released notes fade within a moment; then the sink hears nothing for a whole second.
    const auto lastSecond = [&] { return Recorder->SampleCount() - TSinkRecorder::Rate; };
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return lastSecond() >= stopped && Recorder->Peak(lastSecond()) < Audible / 4; },
        LongWaitMs));
    EXPECT_LT(lastSecond() - stopped, 2 * TSinkRecorder::Rate);

    // Started again on a tune of one note after a silence: three ends mean three notes heard.
    QTemporaryDir folder;
    QFile tune(folder.filePath("Music.mid"));
    ASSERT_TRUE(tune.open(QIODevice::WriteOnly) && tune.write(OneNoteMidi(300, 1500)) > 0);
    tune.close();
    const qsizetype restarted = Recorder->SampleCount();
    StartMusic(player, folder.path() + "/");
    EXPECT_TRUE(player.IsPlaying());
    ASSERT_TRUE(QTest::qWaitFor([&] { return ends.count() >= 3; }, LongWaitMs));
    for (const QList<QVariant>& end : ends) {
        EXPECT_EQ(end.first().value<TNotifyResult>(), TNotifyResult::Successful);
    }
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Recorder->CountOnsets(400, restarted) >= 3; }, LongWaitMs))
        << "onsets heard: " << Recorder->CountOnsets(400, restarted);

    // A damaged tune fails once rather than looping, and the synthesizer's complaint goes to the
    // game's log.
    static QStringList synthLog;
    QLoggingCategory::setFilterRules("rennor.sound.midi.debug=true");
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext& where, const QString& text) {
            if (QString(where.category) == "rennor.sound.midi") {
                synthLog << text;
            }
        });
    StopMusic(player);
    ASSERT_TRUE(tune.open(QIODevice::WriteOnly) && tune.write("MThd\0\0\0\x06garbage", 15) > 0);
    tune.close();
    StartMusic(player, folder.path() + "/");
    const auto failed = [&] {
        return ends.last().first().value<TNotifyResult>() == TNotifyResult::Failure;
    };
    ASSERT_TRUE(QTest::qWaitFor(failed, LongWaitMs));
    EXPECT_FALSE(ends.wait(500)) << "the damaged tune was started again";
    EXPECT_FALSE(synthLog.isEmpty());
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules({});
}

// Which jingle plays is the file choice's business; here one is heard, a second play of it
// supersedes the first, and Stop aborts a third.
TEST_F(AudioTest, AGameOverSoundIsHeardASecondPlaySupersedesTheFirstAndStopAborts) {
    TMediaPlayer player;
    QSignalSpy ends(&player, &TMediaPlayer::Notify);
    player.SetFileName(ShippedSounds + "Missing.wav"); // the module's reason comes back whole
    EXPECT_THROW(
        try { player.Open(); } catch (const EMCIDeviceError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Cannot find the specified file", 0), 0u);
            throw;
        },
        EMCIDeviceError);
    const qsizetype from = Recorder->SampleCount();
    PlayGameOverSound(player, "Tie Game", true, true, ShippedSounds);
    ASSERT_TRUE(player.IsOpen());
    player.Play();
    EXPECT_TRUE(Recorder->WaitForSound(from));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ends.count() >= 2; }, LongWaitMs));
    player.Play(); // at its end, auto-rewind plays the sound again from the start
    EXPECT_TRUE(player.IsPlaying());
    player.Stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ends.count() >= 3; }, LongWaitMs));
    const auto result = [&](int end) { return ends.at(end).first().value<TNotifyResult>(); };
    EXPECT_EQ(
        std::tuple(result(0), result(1), result(2)),
        std::tuple(TNotifyResult::Superseded, TNotifyResult::Successful, TNotifyResult::Aborted));
}

} // namespace
