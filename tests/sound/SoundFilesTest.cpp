// The shipped sound files, and which one plays when a game ends against the computer.
#include "core/Random.h"
#include "sound/GameSounds.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>
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

TEST_F(SoundChoiceTest, EachOutcomeDrawsFromItsOwnFilesByTheExactNameOnlyWithSoundOn) {
    Touch({"AILost3.wav"});
    EXPECT_TRUE(ChooseGameOverSound("Rennor King", Folder()).isEmpty());
    EXPECT_TRUE(ChooseGameOverSound("Tie Game", Folder()).isEmpty());
    QStringList aiLost;
    for (int n = 1; n <= 9; ++n) {
        aiLost << QString("AILost%1.wav").arg(n);
        Touch({aiLost.last(), QString("GameOvr%1.wav").arg(n)});
    }
    Touch({"Tie.wav"});
    EXPECT_EQ(ChosenOver("Rennor King", 300).size(), 5);
    EXPECT_EQ(ChosenOver("Tie Game", 20), QSet<QString>{"Tie.wav"});
    // Only the computer's exact name counts as its win, whoever carries it.
    for (const char* winner : {"Player 1", "rennor king", "Tie game"}) {
        EXPECT_EQ(ChosenOver(winner, 500), QSet<QString>(aiLost.begin(), aiLost.end())) << winner;
    }
    // A file is opened only with sound on against the computer; an empty one fails silently.
    TMediaPlayer player;
    PlayGameOverSound(player, "Rennor King", false, true, Folder()); // sound off
    PlayGameOverSound(player, "Player 1", true, false, Folder());    // two humans
    EXPECT_TRUE(player.FileName().isEmpty());
    PlayGameOverSound(player, "Tie Game", true, true, Folder());
    EXPECT_EQ(player.FileName(), Folder() + "Tie.wav");
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

TEST(SoundFilesTest, EveryJingleBesideTheProgramIsADifferentPcmWaveEndingInSilence) {
    const QDir beside(RENNOR_BUILT_SOUNDS_DIR);
    const QStringList names = beside.entryList({"*.wav"}, QDir::Files);
    EXPECT_EQ(names.size(), 15); // Tie, GameOvr1 to 5, AILost1 to 9
    EXPECT_TRUE(beside.exists("Music.mid"));
    QSet<QByteArray> digests;
    for (const QString& name : names) {
        QFile file(beside.filePath(name));
        EXPECT_TRUE(
            QRegularExpression("^(Tie|GameOvr[1-5]|AILost[1-9])\\.wav$").match(name).hasMatch());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray data = file.readAll();
        ASSERT_GE(data.size(), 44) << name.toStdString();
        EXPECT_TRUE(data.startsWith("RIFF") && data.mid(8, 4) == "WAVE") << name.toStdString();
        EXPECT_EQ(qFromLittleEndian<quint16>(data.constData() + 20), 1u) << "PCM";
        // The sound effect player drops the last tenth of a second: nothing audible may be there.
        const qsizetype tailBytes = qFromLittleEndian<quint32>(data.constData() + 28) / 5;
        const qsizetype bodyBytes = data.size() - 44 - tailBytes;
        EXPECT_EQ(data.right(tailBytes).count('\0'), tailBytes) << name.toStdString();
        EXPECT_NE(data.mid(44, bodyBytes).count('\0'), bodyBytes) << name.toStdString();
        digests << QCryptographicHash::hash(data, QCryptographicHash::Sha1);
    }
    EXPECT_EQ(digests.size(), names.size());
}

} // namespace
