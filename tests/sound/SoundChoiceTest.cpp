// Which game-over sound plays: chosen by the winner's name among the files that exist, and only
// against the computer with sound on.
#include "core/Random.h"
#include "sound/GameSounds.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SoundChoiceTest : public testing::Test {
protected:
    void Touch(const QStringList& names) {
        for (const QString& name : names) {
            QFile file(Folder() + name);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }
    QString Folder() const { return Dir.path() + "/"; }

    // The files chosen over many games, each with its own seed.
    QSet<QString> ChosenOver(const QString& winner, int games) {
        QSet<QString> chosen;
        for (int game = 0; game < games; ++game) {
            SeedRandom(std::uint64_t(game) * 7919 + 1);
            chosen << ChooseGameOverSound(winner, Folder()).mid(Folder().size());
        }
        return chosen;
    }

    QTemporaryDir Dir;
};

TEST_F(SoundChoiceTest, EachOutcomeDrawsFromItsOwnSetByTheExactNameAndReachesEveryFile) {
    Touch({"Tie.wav"});
    for (int n = 1; n <= 9; ++n) {
        Touch({QString("AILost%1.wav").arg(n), QString("GameOvr%1.wav").arg(n)});
    }
    EXPECT_EQ(ChosenOver("Rennor King", 300).size(), 5);
    EXPECT_EQ(ChosenOver("Tie Game", 20), QSet<QString>{"Tie.wav"});
    // Only the computer's exact name counts as its win, whoever carries it.
    for (const char* winner : {"Player 1", "rennor king", "Tie game"}) {
        const QSet<QString> humanWins = ChosenOver(winner, 500);
        EXPECT_EQ(humanWins.size(), 9) << winner;
        for (const QString& name : humanWins) {
            EXPECT_TRUE(name.startsWith("AILost")) << name.toStdString();
        }
    }
}

TEST_F(SoundChoiceTest, OnlyFilesThatExistAreChosenAndNoneMeansNoSound) {
    Touch({"AILost3.wav"});
    EXPECT_TRUE(ChooseGameOverSound("Rennor King", Folder()).isEmpty());
    EXPECT_TRUE(ChooseGameOverSound("Tie Game", Folder()).isEmpty());
    EXPECT_TRUE(ChooseGameOverSound("Player 1", Dir.path() + "/missing/").isEmpty());
    TMediaPlayer player;
    PlayGameOverSound(player, "Rennor King", true, true, Folder());
    EXPECT_TRUE(player.FileName().isEmpty());

    Touch({"GameOvr2.wav", "Tie.wav"});
    EXPECT_EQ(ChosenOver("Rennor King", 200), QSet<QString>{"GameOvr2.wav"});
}

TEST_F(SoundChoiceTest, TwoHumansOrSoundOffNeverOpenAFileAndAnEmptyFileFailsSilently) {
    Touch({"GameOvr3.wav", "AILost1.wav", "Tie.wav"});
    for (const QString winner : {"Rennor King", "Tie Game", "Player 2"}) {
        TMediaPlayer player;
        PlayGameOverSound(player, winner, false, true, Folder());
        PlayGameOverSound(player, winner, true, false, Folder());
        PlayGameOverSound(player, winner, false, false, Folder());
        EXPECT_TRUE(player.FileName().isEmpty()) << winner.toStdString();
    }
    TMediaPlayer player;
    PlayGameOverSound(player, "Rennor King", true, true, Folder());
    EXPECT_EQ(player.FileName(), Folder() + "GameOvr3.wav");
    EXPECT_FALSE(player.IsOpen());
}

TEST_F(SoundChoiceTest, TheSoundsFolderBesideTheProgramComesBeforeTheInstalledOne) {
    QDir root(Dir.path());
    ASSERT_TRUE(root.mkpath("bin"));
    const QString program = root.filePath("bin");
    EXPECT_EQ(SoundsFolderFor(program), program + "/Sounds/") << "neither: beside the program";
    ASSERT_TRUE(root.mkpath("share/rennor/Sounds"));
    EXPECT_EQ(SoundsFolderFor(program), root.filePath("share/rennor/Sounds") + "/");
    ASSERT_TRUE(root.mkpath("bin/Sounds"));
    EXPECT_EQ(SoundsFolderFor(program), program + "/Sounds/");
}

} // namespace
