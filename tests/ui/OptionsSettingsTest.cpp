// The options between the dialog and the settings file: first run, odd stored texts, OK, errors.
#include "OptionsTestSupport.h"

#include "ui/OptionsSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#ifdef __linux__
#include <sys/inotify.h>
#include <unistd.h>
#endif

TEST_F(OptionsTest, FirstRunShowsEveryDefault) {
    Show();
    EXPECT_TRUE(Form->MusicChecked());
    EXPECT_TRUE(Form->SoundChecked());
    EXPECT_TRUE(Form->HumanComputer());
    EXPECT_FALSE(Form->HumanHuman());
    EXPECT_FALSE(Child("SecondPlayerEditBox")->isEnabled());
    EXPECT_EQ(Form->WhoMovesFirstCaption(), "1st Player is First");
    EXPECT_EQ(Form->FirstPlayerText(), "Player 1");
    EXPECT_EQ(Form->SecondPlayerText(), "Player 2");
    EXPECT_EQ(Form->FirstPlayerLabel(), "Player 1");
    EXPECT_EQ(Form->SecondPlayerLabel(), "Rennor King");
    EXPECT_TRUE(Down("WhitePlayerSpeedButton"));
    EXPECT_TRUE(Down("BlackMasterSpeedButton"));
    EXPECT_EQ(Live.FirstPlayerColor, WhiteStone);
    EXPECT_EQ(MainNames, std::make_pair(QString("Player 1"), QString("Rennor King")));
    EXPECT_EQ(Form->ADPosition(), 20);
    EXPECT_EQ(Text("ADPanel"), "4");
    EXPECT_EQ(Live.ADFactor, 4);
    EXPECT_TRUE(Down("SpeedButton2")); // caption "1"
    EXPECT_EQ(Live.Randomness, 2);
    EXPECT_EQ(Live.PendingRandomness, 2);
    EXPECT_EQ(Form->AutoPlayPosition(), 9);
    EXPECT_EQ(Form->ReplayPosition(), 9);
    EXPECT_EQ(Live.BoardColor, 8421504);
    EXPECT_EQ(Live.HintColor, 255);
    EXPECT_EQ(Live.LastMoveColor, 65280);
    EXPECT_TRUE(Ports.Errors.isEmpty());
}

TEST_F(OptionsTest, OkWritesEveryValueAsText) {
    Show();
    Click("OKBtn");
    EXPECT_FALSE(Form->isVisible());
    const std::pair<const char*, const char*> expected[] = {
        {"MUSIC", "1"},           {"SOUND", "1"},
        {"HUMAN vs HUMAN", "0"},  {"WHO IS FIRST", "1st Player is First"},
        {"PLAYER1 COLOR", "1"},   {"1st NAME", "Player 1"},
        {"2nd NAME", "Player 2"}, {"A-D Factor", "20"},
        {"RANDOMNESS", "2"},      {"AUTOPLAY SPEED", "9"},
        {"REPLAY SPEED", "9"},    {"BOARD COLOR", "8421504"},
        {"HINT COLOR", "255"},    {"LAST COLOR", "65280"},
    };
    for (const auto& [name, text] : expected) {
        EXPECT_EQ(Stored(name), text) << name;
    }
    EXPECT_EQ(Applies, 1);
    EXPECT_TRUE(Ports.Questions.isEmpty());
    EXPECT_TRUE(MusicSwitches.empty()); // unchanged music is neither started nor stopped
}

TEST_F(OptionsTest, OddStoredTextsLoadAsTheStoreReadsThem) {
    struct Case {
        const char* ad;
        int position;
        const char* sound;
        bool soundOn;
    };
    for (const Case& c : {Case{"-5", 0, "2", true}, Case{"99", 32, "", true},
                          Case{"0x14", 20, "0", false}, Case{"abc", 20, "x", true}}) {
        Store("A-D Factor", c.ad);
        Store("SOUND", c.sound);
        Show();
        EXPECT_EQ(Form->ADPosition(), c.position) << c.ad;
        EXPECT_EQ(Live.ADFactor, c.position - 16) << c.ad;
        EXPECT_EQ(Text("ADPanel"), QString::number(c.position - 16)) << c.ad;
        EXPECT_EQ(Form->SoundChecked(), c.soundOn) << c.sound;
        Click("CancelBtn");
    }
}

TEST_F(OptionsTest, StoredRandomnessPressesItsButtonOrNone) {
    Store("RANDOMNESS", "11");
    Show();
    EXPECT_TRUE(Down("SpeedButton11")); // caption "10"
    EXPECT_EQ(Live.PendingRandomness, 11);
    Click("CancelBtn");

    Form = std::make_unique<TOptionsForm>(*Key);
    Store("RANDOMNESS", "12");
    Show();
    EXPECT_EQ(Live.Randomness, 12);
    for (int i = 1; i <= 11; ++i) {
        EXPECT_FALSE(Down(QByteArray("SpeedButton" + QByteArray::number(i)).constData())) << i;
    }
}

TEST_F(OptionsTest, BlackFirstPlayerAndEmptyNamesReachTheMainWindow) {
    Store("PLAYER1 COLOR", "0");
    Store("1st NAME", "");
    Store("HUMAN vs HUMAN", "1");
    Store("2nd NAME", "Zoe");
    Show();
    EXPECT_TRUE(Down("BlackPlayerSpeedButton"));
    EXPECT_TRUE(Down("WhiteMasterSpeedButton"));
    EXPECT_EQ(Live.FirstPlayerColor, BlackStone);
    EXPECT_EQ(Form->FirstPlayerText(), "");
    EXPECT_EQ(Form->FirstPlayerLabel(), "Player 1");
    EXPECT_TRUE(Child("SecondPlayerEditBox")->isEnabled());
    // The white player's name is the first of the main window's two.
    EXPECT_EQ(MainNames, std::make_pair(QString("Zoe"), QString("Player 1")));
    Click("OKBtn");
    EXPECT_EQ(Stored("1st NAME"), "");
    EXPECT_EQ(Stored("PLAYER1 COLOR"), "0");
}

TEST_F(OptionsTest, ComputerModeKeepsAndSavesTheSecondName) {
    Store("2nd NAME", "Ann");
    ShowOnPage("PlayerSettings");
    EXPECT_EQ(Form->SecondPlayerLabel(), "Rennor King");
    Click("OKBtn");
    EXPECT_EQ(Stored("2nd NAME"), "Ann");
}

TEST_F(OptionsTest, ChangesOtherThanTheModeNeverAsk) {
    ShowOnPage("PlayerSettings");
    Click("WhoMovesFirst");
    Click("BlackPlayerSpeedButton");
    Child<QLineEdit>("FirstPlayerEditBox")->setText("Max");
    Click("OKBtn");
    EXPECT_TRUE(Ports.Questions.isEmpty());
    EXPECT_EQ(NewGames, 0);
    EXPECT_EQ(Applies, 1);
    EXPECT_EQ(Stored("WHO IS FIRST"), "2nd Player is First");
    EXPECT_EQ(Stored("1st NAME"), "Max");
    EXPECT_EQ(Live.FirstPlayerColor, BlackStone);
}

TEST_F(OptionsTest, ModeChangeAnsweredNoKeepsTheModeAndSavesTheRest) {
    ShowOnPage("PlayerSettings");
    Click("HumanHuman");
    Child<QLineEdit>("SecondPlayerEditBox")->setText("Ann");
    Ports.ConfirmAnswers = {false};
    Click("OKBtn");
    ASSERT_EQ(Ports.Questions.size(), 1);
    EXPECT_EQ(Ports.Questions[0], "Do You Wish To Cancel Current Game ?\n\n"
                                  "If you click 'No' - game mode will not be changed");
    EXPECT_EQ(NewGames, 0);
    EXPECT_TRUE(Form->HumanComputer());
    EXPECT_FALSE(Child("SecondPlayerEditBox")->isEnabled());
    EXPECT_EQ(Form->SecondPlayerLabel(), "Rennor King");
    EXPECT_EQ(Stored("HUMAN vs HUMAN"), "0");
    EXPECT_EQ(Stored("2nd NAME"), "Ann");
    EXPECT_EQ(Applies, 1);
}

TEST_F(OptionsTest, ModeChangeAnsweredYesStartsTheNewGameBeforeSaving) {
    Store("HUMAN vs HUMAN", "1");
    Store("WHO IS FIRST", "1st Player is First");
    ShowOnPage("PlayerSettings");
    Click("HumanComputer");
    Click("WhoMovesFirst");
    Ports.ConfirmAnswers = {true};
    Click("OKBtn");
    EXPECT_EQ(Ports.Questions.size(), 1);
    EXPECT_EQ(NewGames, 1);
    // The new game still sees what was stored before.
    EXPECT_EQ(StoredAtNewGame, std::make_pair(QString("1"), QString("1st Player is First")));
    EXPECT_EQ(Stored("HUMAN vs HUMAN"), "0");
    EXPECT_EQ(Stored("WHO IS FIRST"), "2nd Player is First");
    EXPECT_TRUE(Form->HumanComputer());
}

TEST_F(OptionsTest, ModeChangeAfterTheGameEndedNeedsNoQuestion) {
    for (int x = 1; x <= 4; ++x) {
        MakeMove(x, 1);
        MakeMove(x, 3);
    }
    MakeMove(5, 1);
    ASSERT_TRUE(Game.FiveMade);
    Game.GameFinished = false;
    ShowOnPage("PlayerSettings");
    Click("HumanHuman");
    Click("OKBtn");
    EXPECT_TRUE(Ports.Questions.isEmpty());
    EXPECT_EQ(NewGames, 0);
    EXPECT_TRUE(Game.GameFinished); // asking locked the board
    EXPECT_EQ(Stored("HUMAN vs HUMAN"), "1");
}

TEST_F(OptionsTest, MusicIsSwitchedOnlyWhenItsBoxChanged) {
    ShowOnPage("GeneralSettings");
    Click("MusicCheckBox");
    Click("OKBtn");
    EXPECT_EQ(MusicSwitches, std::vector<bool>{false});
    ShowOnPage("GeneralSettings");
    Click("MusicCheckBox");
    Click("OKBtn");
    EXPECT_EQ(MusicSwitches, (std::vector<bool>{false, true}));
}

TEST_F(OptionsTest, AValueThatIsNoTextStopsTheLoadWithOneErrorBox) {
    Store("SOUND", "0");
    Raw().setValue("MUSIC", QStringList{"a", "b"});
    Raw().sync();
    Show();
    // The closing quote sorts before the full stop, so none is added.
    EXPECT_EQ(Ports.Errors, QStringList{"Invalid data type for 'MUSIC'"});
    EXPECT_TRUE(Form->SoundChecked()); // the load stopped before SOUND
    EXPECT_TRUE(Form->isVisible());    // and the dialog is still usable
    Click("CancelBtn");
}

TEST_F(OptionsTest, AStoreThatCannotBeWrittenKeepsTheOptionsForTheRunWithOneWarning) {
    Show();
    Form->SetMusicChecked(false);
    // A folder where the file should be cannot be written, not even by the superuser.
    const QString file = Key->Location();
    QFile::remove(file);
    ASSERT_TRUE(QDir().mkpath(file));
    Click("OKBtn");
    ASSERT_EQ(Ports.Errors.size(), 1);
    EXPECT_TRUE(Ports.Errors[0].endsWith("will not be remembered."))
        << Ports.Errors[0].toStdString();
    EXPECT_EQ(Applies, 1);
    Show();
    EXPECT_FALSE(Form->MusicChecked());
    QDir(file).removeRecursively();
}

#ifdef __linux__
// Each replacement of the store file is atomic, so one replacement holding every value is what
// leaves all old or all new values to a program stopped while it writes.
TEST_F(OptionsTest, OkReplacesTheStoreFileOnceWithEveryValue) {
    Show();
    Click("OKBtn");
    const QFileInfo file(Key->Location());
    const int watch = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, QFile::encodeName(file.absolutePath()).constData(), IN_MOVE),
              0);
    Show();
    Form->SetMusicChecked(false);
    Form->SetFirstPlayerText(QStringLiteral("Ann"));
    Click("OKBtn");
    int replaced = 0;
    alignas(inotify_event) char events[4096];
    for (ssize_t n; (n = read(watch, events, sizeof events)) > 0;) {
        for (char* at = events; at < events + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            replaced += (event->mask & IN_MOVED_TO) && event->len > 0 &&
                        file.fileName() == QLatin1String(event->name);
            at += sizeof(inotify_event) + event->len;
        }
    }
    close(watch);
    EXPECT_EQ(replaced, 1);
    EXPECT_EQ(Stored("MUSIC"), "0");
    EXPECT_EQ(Stored("1st NAME"), "Ann");
}
#endif

TEST_F(OptionsTest, AStoredNameLongerThanTheBoxTakesStaysWholeUntilEdited) {
    Store("1st NAME", "Bartholomew the Great");
    Show();
    EXPECT_EQ(Form->FirstPlayerText(), "Bartholomew the Great");
    Click("OKBtn");
    EXPECT_EQ(Stored("1st NAME"), "Bartholomew the Great");
    auto* box = Child<QLineEdit>("FirstPlayerEditBox");
    box->selectAll();
    QTest::keyClicks(box, "Maximilian of Habsburg");
    EXPECT_EQ(box->text(), "Maximilian of");
}
