// The shipped sound files stand beside the program and suit the players that play them.
#include <QCryptographicHash>
#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

namespace {

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
