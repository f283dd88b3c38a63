// The shipped sound files, and which one plays when a game ends against the computer.
#include "core/Random.h"
#include "sound/GameSounds.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(SoundChoiceTest, EachOutcomeDrawsFromItsOwnFilesByTheExactNameOnlyWithSoundOn) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    const auto touch = [&](const QString& name) {
        ASSERT_TRUE(QFile(folder + name).open(QIODevice::WriteOnly));
    };
    // The files chosen over many games, each with its own seed.
    const auto chosenOver = [&](const QString& winner, int games) {
        QSet<QString> chosen;
        for (int game = 0; game < games; ++game) {
            SeedRandom(std::uint64_t(game) * 7919 + 1);
            chosen << ChooseGameOverSound(winner, folder).mid(folder.size());
        }
        return chosen;
    };
    touch("AILost3.wav");
    EXPECT_TRUE(ChooseGameOverSound("Rennor King", folder).isEmpty());
    EXPECT_TRUE(ChooseGameOverSound("Tie Game", folder).isEmpty());
    QSet<QString> aiLost;
    for (int n = 1; n <= 9; ++n) {
        aiLost << QString("AILost%1.wav").arg(n);
        touch(QString("AILost%1.wav").arg(n));
        touch(QString("GameOvr%1.wav").arg(n));
    }
    touch("Tie.wav");
    EXPECT_EQ(chosenOver("Rennor King", 300).size(), 5);
    EXPECT_EQ(chosenOver("Tie Game", 20), QSet<QString>{"Tie.wav"});
    // Only the computer's exact name counts as its win, whoever carries it.
    for (const char* winner : {"Player 1", "rennor king", "Tie game"}) {
        EXPECT_EQ(chosenOver(winner, 500), aiLost) << winner;
    }
    // A file is opened only with sound on against the computer; an empty one fails silently.
    TMediaPlayer player;
    PlayGameOverSound(player, "Rennor King", false, true, folder); // sound off
    PlayGameOverSound(player, "Player 1", true, false, folder);    // two humans
    EXPECT_TRUE(player.FileName().isEmpty());
    PlayGameOverSound(player, "Tie Game", true, true, folder);
    EXPECT_EQ(std::pair(player.FileName(), player.IsOpen()), std::pair(folder + "Tie.wav", false));
}

TEST(SoundFilesTest, EveryJingleAndTheMusicStandBesideTheProgram) {
    const QDir beside(RENNOR_BUILT_SOUNDS_DIR);
    EXPECT_EQ(beside.entryList({"*.wav"}, QDir::Files).size(), 15); // Tie, GameOvr1-5, AILost1-9
    EXPECT_TRUE(beside.exists("Music.mid"));
}

} // namespace
