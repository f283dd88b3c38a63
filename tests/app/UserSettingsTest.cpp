// What a user could lose through the settings file: one that cannot be written costs one warning
// for each OK and keeps the options for the run; a corrupt one gives the defaults. And with no
// sound server the music and the game-over sound are asked for, nothing is said and the game goes
// on.
#include "WindowTestSupport.h"

#include "sound/GameSounds.h"
#include "sound/MediaPlayer.h"

#include <QDir>
#include <QFile>

namespace {

class UserSettingsTest : public WindowTest {
protected:
    // The options dialog opened as the menu does, sound switched on if asked, closed with OK.
    void OptionsOk(bool soundOn = false) {
        QTimer::singleShot(0, Options.get(), [this, soundOn] {
            Options->SetSoundChecked(Options->SoundChecked() || soundOn);
            Do("OKBtn");
        });
        Form->Options1Click();
    }
};

TEST_F(UserSettingsTest, AFileThatCannotBeWrittenWarnsOnceForEachOkAndKeepsTheOptionsForTheRun) {
    Start();
    int applied = 0;
    Options->Hooks.ApplySettings = [&, apply = Options->Hooks.ApplySettings] {
        ++applied;
        apply();
    };
    Do("10,10");
    // A folder where the file belongs cannot be written, not even by the superuser.
    const QString file = Raw().fileName();
    QFile::remove(file);
    ASSERT_TRUE(QDir().mkpath(file));
    QStringList seen; // error boxes, settings applied, the dialog, moves, the clock
    for (const char* square : {"3,3", "17,17"}) {
        OptionsOk(applied == 0); // sound on, then nothing changed
        Do(square);
        seen << Line(Ports->Errors.size(), applied, Options->isVisible(), Game.MoveCount,
                     Form->Timer1->isActive());
    }
    ASSERT_TRUE(QDir(file).removeRecursively());
    OptionsOk(); // once it can be written again, OK stores the settings without a word
    seen << Line(Ports->Errors.size(), applied, Stored("SOUND"), Options->SoundChecked());
    EXPECT_EQ(seen, QStringList({"1 1 false 4 true", "2 2 false 6 true", "2 3 1 true"}));
    EXPECT_TRUE(Ports->Errors.first().endsWith("will not be remembered."));
}

TEST_F(UserSettingsTest, ACorruptFileGivesTheDefaultsAndWithoutASoundServerTheGamePlaysOnSilently) {
    // Bytes that no settings name is spelt with: control and high bytes, and the characters the
    // file's syntax gives meaning to.
    const QByteArray garbage =
        QByteArray("\x00\xff\x80\xfe=[]\n\r@%\"\\;,#\x01\x7f", 18).repeated(228);
    QFile file(Raw().fileName());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(garbage) == garbage.size());
    file.close();
    Start();
    EXPECT_EQ(OptionsShown(),
              "music true sound true humans false box false, 1st Player is First, "
              "WhitePlayer BlackMaster, Player 1 / Player 2 shown Player 1 / "
              "Rennor King, A-D 20 4, randomness 2 speeds 9 9, live A-D 4 randomness "
              "2 2 speeds 9 9, colours 808080 ff ff00 pending ff ff00 false first W");
    // The music and, at the end of a game, its sound are asked for; none plays.
    const QString music = Line(Form->MediaPlayer2->FileName() == SoundsFolder() + "Music.mid",
                               Form->MediaPlayer2->IsPlaying());
    Do("A");
    EXPECT_EQ(Line(music, Form->MediaPlayer1->FileName().startsWith(SoundsFolder()),
                   Form->MediaPlayer1->IsPlaying()),
              "true false true false");
    Do("N 3,3");
    OptionsOk(); // writes every setting in place of the corrupt file, and says nothing
    EXPECT_EQ(State(), "2 2 2 W undo 0 hints 0 URAPH asked 1 reports 1");
    // The file holds the settings, beside its old garbage (the options test reads every one).
    EXPECT_EQ(StoredLike("1st NAME=, BOARD COLOR=, MUSIC="),
              "1st NAME=Player 1, BOARD COLOR=8421504, MUSIC=1");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
