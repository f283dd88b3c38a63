// What a user could lose through the settings file: one that cannot be written costs one warning
// for each OK and nothing else; one that is corrupt gives the defaults.
#include "MainFormTestSupport.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QTimer>

namespace {

class UserSettingsTest : public MainFormTest {
protected:
    // The options dialog opened as the menu does, and closed with its OK button.
    void OptionsOk() {
        QTimer::singleShot(0, Options.get(), [this] {
            auto* ok = Options->findChild<QAbstractButton*>(QStringLiteral("OKBtn"));
            ASSERT_NE(ok, nullptr);
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        Form->Options1Click();
    }

    // A move of the human on an empty square, and the computer's answer.
    void ExpectPlayGoesOn(int X, int Y) {
        const int before = Game.MoveCount;
        Click(X, Y);
        EXPECT_EQ(Game.MoveCount, before + 2);
        EXPECT_FALSE(Game.GameFinished);
        EXPECT_TRUE(Form->Timer1->isActive());
    }
};

TEST_F(UserSettingsTest, AFileThatCannotBeWrittenWarnsOnceForEachOkAndTheGameGoesOn) {
    Start();
    Click(10, 10);
    // A folder where the file belongs cannot be written, not even by the superuser.
    const QString file = Raw().fileName();
    QFile::remove(file);
    ASSERT_TRUE(QDir().mkpath(file));

    OptionsOk();
    ASSERT_EQ(Scripted->Errors.size(), 1);
    EXPECT_TRUE(Scripted->Errors[0].endsWith("will not be remembered."));
    EXPECT_FALSE(Options->isVisible());
    ExpectPlayGoesOn(3, 3);

    OptionsOk();
    EXPECT_EQ(Scripted->Errors.size(), 2);
    ExpectPlayGoesOn(17, 17);

    // Once the file can be written again, OK stores the settings without a word.
    ASSERT_TRUE(QDir(file).removeRecursively());
    OptionsOk();
    EXPECT_EQ(Scripted->Errors.size(), 2);
    EXPECT_EQ(QSettings(QStringLiteral("Veltrane Inc."), QStringLiteral("Rennor"))
                  .value("MUSIC")
                  .toString(),
              Options->MusicChecked() ? "1" : "0");
}

// Bytes that no settings name is spelt with: control and high bytes, and the characters the
// file's syntax gives meaning to, in a fixed order.
QByteArray Garbage(int size) {
    const QByteArray alphabet("\x00\xff\x80\xfe=[]\n\r@%\"\\;,#\x01\x7f", 18);
    QByteArray bytes(size, '\0');
    std::uint32_t state = 12345;
    for (char& b : bytes) {
        state = state * 1664525u + 1013904223u;
        b = alphabet[(state >> 24) % alphabet.size()];
    }
    return bytes;
}

TEST_F(UserSettingsTest, ACorruptFileGivesTheDefaults) {
    Raw().clear();
    Raw().sync();
    QFile file(Raw().fileName());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(Garbage(4096)), 4096);
    file.close();

    Start();
    EXPECT_TRUE(Scripted->Errors.isEmpty()) << Scripted->Errors.join('|').toStdString();
    EXPECT_TRUE(Options->MusicChecked());
    EXPECT_TRUE(Options->SoundChecked());
    EXPECT_TRUE(Options->HumanComputer());
    EXPECT_EQ(Options->WhoMovesFirstCaption(), "1st Player is First");
    EXPECT_EQ(Options->FirstPlayerText(), "Player 1");
    EXPECT_EQ(Options->SecondPlayerText(), "Player 2");
    EXPECT_EQ(Options->ADPosition(), 20);
    EXPECT_EQ(Options->AutoPlayPosition(), 9);
    EXPECT_EQ(Options->ReplayPosition(), 9);
    EXPECT_EQ(Live.Randomness, 2);
    EXPECT_EQ(Live.BoardColor, ColorGray);
    ExpectPlayGoesOn(3, 3);

    // The first OK writes a sound file in place of the corrupt one, without a word.
    OptionsOk();
    EXPECT_TRUE(Scripted->Errors.isEmpty()) << Scripted->Errors.join('|').toStdString();
    EXPECT_EQ(QSettings(QStringLiteral("Veltrane Inc."), QStringLiteral("Rennor"))
                  .value("A-D Factor")
                  .toString(),
              "20");
}

} // namespace
