// The shipped sound files, and which one plays when a game ends against the computer.
#include "core/Random.h"
#include "sound/GameSounds.h"

#include <QCryptographicHash>
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

const QString BesideProgram = QStringLiteral(RENNOR_BUILT_SOUNDS_DIR "/");

QStringList WaveNames() {
    QStringList names{"Tie.wav"};
    for (int n = 1; n <= 5; ++n) {
        names << QString("GameOvr%1.wav").arg(n);
    }
    for (int n = 1; n <= 9; ++n) {
        names << QString("AILost%1.wav").arg(n);
    }
    return names;
}

quint32 LittleEndian(const QByteArray& data, qsizetype at, int bytes) {
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = value << 8 | quint8(data.at(at + i));
    }
    return value;
}

QByteArray Read(const QString& name) {
    QFile file(BesideProgram + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(SoundFilesTest, EveryJingleIsADifferentPcmWaveEndingInSilence) {
    QSet<QByteArray> digests;
    for (const QString& name : WaveNames()) {
        const QByteArray data = Read(name);
        ASSERT_GE(data.size(), 44) << name.toStdString();
        EXPECT_TRUE(data.startsWith("RIFF") && data.mid(8, 4) == "WAVE") << name.toStdString();
        EXPECT_EQ(LittleEndian(data, 20, 2), 1u) << "PCM";
        EXPECT_EQ(LittleEndian(data, 34, 2), 16u) << "bits";
        const quint32 rate = LittleEndian(data, 24, 4);
        const quint32 channels = LittleEndian(data, 22, 2);
        const qsizetype tailBytes = qsizetype(rate / 5) * channels * 2;
        const QByteArray tail = data.right(tailBytes);
        // The sound effect player drops the last tenth of a second: nothing audible may be there.
        EXPECT_EQ(tail.count('\0'), tailBytes) << name.toStdString();
        EXPECT_NE(data.mid(44, data.size() - 44 - tailBytes).count('\0'),
                  data.size() - 44 - tailBytes)
            << name.toStdString() << " is silent";
        digests << QCryptographicHash::hash(data, QCryptographicHash::Sha1);
    }
    EXPECT_EQ(digests.size(), WaveNames().size());
}

TEST(SoundFilesTest, TheMusicIsAMidiFileBesideTheProgram) {
    const QByteArray music = Read("Music.mid");
    ASSERT_FALSE(music.isEmpty());
    EXPECT_TRUE(music.startsWith("MThd"));
    EXPECT_NE(music.indexOf("MTrk"), -1);
}

} // namespace
