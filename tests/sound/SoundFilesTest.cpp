// The shipped sound files stand beside the program and suit the players that play them.
#include <QCryptographicHash>
#include <QFile>
#include <QSet>
#include <QtEndian>
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
        EXPECT_EQ(qFromLittleEndian<quint16>(data.constData() + 20), 1) << "PCM";
        EXPECT_EQ(qFromLittleEndian<quint16>(data.constData() + 34), 16) << "bits";
        const auto rate = qFromLittleEndian<quint32>(data.constData() + 24);
        const auto channels = qFromLittleEndian<quint16>(data.constData() + 22);
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
