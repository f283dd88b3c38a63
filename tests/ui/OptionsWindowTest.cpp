// The options dialog of the running program as the user meets it: stones, names, mode, bars,
// randomness, colours and their preview, pages and help; what it loads and stores, and what it
// asks.
#include "WindowTestSupport.h"

#include "help/HelpEngine.h"
#include "help/HelpWindow.h"
#include "storage/SettingsKey.h"
#include "ui/BoardPainter.h"
#include "ui/OptionsTrackBar.h"

#include <QLineEdit>
#include <QPainter>
#include <QTabWidget>

namespace {

class OptionsWindowTest : public WindowTest {
protected:
    // The dialog as the Options command shows it, without its modal loop, on page.
    void Show(const char* page = nullptr) {
        Options->show();
        QApplication::processEvents();
        if (page != nullptr) {
            Control<QTabWidget>("OptionsControl")->setCurrentWidget(Control(page));
        }
    }
    // Clicks near the left end, where a check box has its box.
    void Press(const char* name) const {
        auto* button = Control<QAbstractButton>(name);
        const QPoint at(std::min(8, button->width() / 2), button->height() / 2);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, at);
    }
    void Key(const char* bar, Qt::Key key) const {
        Control(bar)->setFocus();
        QTest::keyClick(Control(bar), key);
    }
    QLineEdit* Box(const char* name) const { return Control<QLineEdit>(name); }
};

TEST_F(OptionsWindowTest, EachStoneButtonPressesTheOtherPlayersOppositeStone) {
    Start();
    Show("PlayerSettings");
    for (auto [button, down] : {std::pair{"BlackPlayer", "BlackPlayer WhiteMaster"},
                                {"WhitePlayer", "WhitePlayer BlackMaster"},
                                {"WhiteMaster", "BlackPlayer WhiteMaster"},
                                {"BlackMaster", "WhitePlayer BlackMaster"}}) {
        for (int twice = 0; twice < 2; ++twice) { // pressing a pressed button keeps it down
            Press((QByteArray(button) + "SpeedButton").constData());
            EXPECT_EQ(OptionsShown().section(", ", 2, 2), down) << button;
        }
    }
}

TEST_F(OptionsWindowTest, NamesModeAndWhoIsFirstOnThePlayersPage) {
    Start();
    Show("PlayerSettings");
    Box("FirstPlayerEditBox")->clear();
    Box("SecondPlayerEditBox")->setText("Ann");
    Press("HumanComputer"); // closes the second box but keeps its text
    EXPECT_EQ(OptionsShown().section(", ", 0, 3),
              "music 0 sound 0 humans 0 box off, 1st Player is First, WhitePlayer BlackMaster, "
              "names /Ann shown Player 1/Rennor King");
    QTest::keyClicks(Box("FirstPlayerEditBox"), "Bartholomew the Third"); // 13 characters at most
    Press("HumanHuman");
    Press("WhoMovesFirst");
    EXPECT_EQ(OptionsShown().section(", ", 0, 3),
              "music 0 sound 0 humans 1 box on, 2nd Player is First, WhitePlayer BlackMaster, "
              "names Bartholomew t/Ann shown Bartholomew t/Ann");
    Box("SecondPlayerEditBox")->clear();
    Press("WhoMovesFirst");
    EXPECT_EQ(Options->SecondPlayerLabel(), "Player 2");
    EXPECT_EQ(Options->WhoMovesFirstCaption(), "1st Player is First");
    Options->SetWhoMovesFirstCaption("Nobody"); // an edited store
    Press("WhoMovesFirst");
    EXPECT_EQ(Options->WhoMovesFirstCaption(), "1st Player is First");
}

TEST_F(OptionsWindowTest, BarsActWhileTheyMoveAndCancelKeepsThemUntilTheNextShowing) {
    Start();
    Show("AIE");
    auto* bar = Control<TSelTrackBar>("TrackBar");
    const auto shown = [bar, this] {
        return QStringLiteral("%1 %2-%3 ")
                   .arg(Control<QLabel>("ADPanel")->text())
                   .arg(bar->SelStart())
                   .arg(bar->SelEnd()) +
               LiveShown().section(", ", 0, 0);
    };
    Key("TrackBar", Qt::Key_Home);
    EXPECT_EQ(shown(), "-16 0-16 A-D -16");
    Key("TrackBar", Qt::Key_End);
    EXPECT_EQ(shown(), "16 16-32 A-D 16");
    bar->setValue(16);
    Show("GeneralSettings");
    Key("ReplayTrackBar", Qt::Key_Left);
    Key("AutoPlaytrackBar", Qt::Key_Home);
    EXPECT_EQ(LiveShown().section(", ", 0, 2), "A-D 0, randomness 1 (1), speeds 0/8");
    Key("AutoPlaytrackBar", Qt::Key_End);
    Press("CancelBtn");
    EXPECT_EQ(LiveShown().section(", ", 0, 2), "A-D 0, randomness 1 (1), speeds 9/8");
    Show();
    EXPECT_EQ(LiveShown().section(", ", 0, 2), "A-D 0, randomness 1 (1), speeds 9/9");
}

TEST_F(OptionsWindowTest, ARandomnessButtonStaysTheOnlyOneDownAndOkCommitsIt) {
    Start();
    Show("AIE");
    Press("SpeedButton5"); // caption "4"
    EXPECT_EQ(OptionsShown().section(", ", 5, 5), "randomness button 5");
    EXPECT_EQ(LiveShown().section(", ", 1, 1), "randomness 1 (5)");
    Press("OKBtn");
    EXPECT_EQ(LiveShown().section(", ", 1, 1), "randomness 5 (5)");
    EXPECT_EQ(Stored("RANDOMNESS"), "5");
}

TEST_F(OptionsWindowTest, ColoursArePickedFromTheLastPickAndOnlyOkCommitsThem) {
    Start();
    Show("Preferences");
    Answers->Colors = {std::nullopt, 0x123456, 0x00FF00};
    for (const char* button : {"HintColorBtn", "HintColorBtn", "LastMoveBackgroudColorBtn"}) {
        Press(button);
    }
    // The last-move colour picked again is no change.
    EXPECT_EQ(LiveShown().section(", ", 3), "colours 808080/ff/ff00 (123456/ff00 kept), first W");
    Answers->Colors = {0x0000FF, 0x445566};
    Press("LastMoveBackgroudColorBtn");
    Press("BoardColorBtn");
    EXPECT_EQ(LiveShown().section(", ", 3), "colours 808080/ff/ff00 (123456/ff changed), first W");
    EXPECT_EQ(Options->PreviewColor(), 0x445566);
    EXPECT_EQ(Answers->ColorPickerStarts,
              (std::deque<TColorValue>{0, 0, 0x123456, 0x00FF00, 0x0000FF}));
    Press("OKBtn");
    EXPECT_EQ(LiveShown().section(", ", 3),
              "colours 445566/123456/ff (123456/ff changed), first W");
    EXPECT_EQ(Stored("BOARD COLOR") + '/' + Stored("HINT COLOR") + '/' + Stored("LAST COLOR"),
              "4478310/1193046/255");
}

TEST_F(OptionsWindowTest, TheBuiltInSetThenEscapeKeepsTheColours) {
    for (const char* name : {"BOARD COLOR", "HINT COLOR", "LAST COLOR"}) {
        Store(name, "1122867"); // 0x112233
    }
    Start();
    Show("Preferences");
    Press("DefaultColors");
    EXPECT_EQ(Options->PreviewColor(), ColorGray);
    EXPECT_EQ(LiveShown().section(", ", 3),
              "colours 112233/112233/112233 (ff/ff00 changed), first W");
    QTest::keyClick(Options.get(), Qt::Key_Escape);
    EXPECT_FALSE(Options->isVisible());
    EXPECT_EQ(Options->PreviewColor(), 0x112233);
    EXPECT_EQ(LiveShown().section(", ", 3),
              "colours 112233/112233/112233 (112233/112233 changed), first W");
    EXPECT_EQ(Stored("MUSIC"), "0"); // nothing written
}

TEST_F(OptionsWindowTest, ThePreviewShowsTheWorkingColoursOnTheSamplePosition) {
    Start();
    Show("Preferences");
    auto* grid = Control<TRxDrawGrid>("PreviewGrid");
    const auto pixels = [grid] {
        const QImage image = grid->grab().toImage();
        QStringList names;
        // Empty square and its ring, white stone and rim, black stone and rim, hint square and
        // ring, last move: inside, black ring, black stone.
        for (auto [col, row, dx, dy] : {std::array{4, 4, 9, 9},
                                        {4, 4, 1, 1},
                                        {0, 0, 9, 9},
                                        {0, 0, 3, 9},
                                        {1, 0, 9, 9},
                                        {1, 0, 3, 9},
                                        {4, 0, 9, 9},
                                        {4, 0, 1, 1},
                                        {1, 2, 2, 2},
                                        {1, 2, 1, 1},
                                        {1, 2, 9, 9}}) {
            const QPoint at =
                grid->ClientOrigin() + grid->CellRect(col, row).topLeft() + QPoint(dx, dy);
            names << image.pixelColor(at * image.devicePixelRatio()).name().mid(1);
        }
        return names.join(' ');
    };
    EXPECT_EQ(pixels(),
              "808080 808080 00ffff 000000 000000 00ffff ff0000 000000 00ff00 000000 000000");
    Answers->Colors = {0xFF0000, 0x00FFFF, 0x808000};
    Press("BoardColorBtn");
    Press("HintColorBtn");
    Press("LastMoveBackgroudColorBtn");
    EXPECT_EQ(pixels(),
              "0000ff 0000ff 00ffff 000000 000000 00ffff ffff00 000000 008080 000000 000000");
    EXPECT_EQ(Live.BoardColor, ColorGray);              // the board keeps its colours until OK
    for (auto [col, row] : {std::pair{5, 0}, {0, 5}}) { // outside the sample: nothing
        QImage outside(19, 19, QImage::Format_RGB32);
        outside.fill(Qt::white);
        QPainter painter(&outside);
        PaintPreviewCell(painter, outside.rect(), col, row, ColorGray);
        EXPECT_EQ(outside.pixelColor(9, 9), QColor(Qt::white));
    }
}

TEST_F(OptionsWindowTest, PreferencesComeFirstThenThePageLastShownAndHelpShowsItsTopic) {
    Start();
    Show();
    auto* pages = Control<QTabWidget>("OptionsControl");
    EXPECT_EQ(pages->currentWidget()->objectName(), "Preferences");
    pages->setCurrentIndex(3);
    Press("CancelBtn");
    Show();
    EXPECT_EQ(pages->currentWidget()->objectName(), "AIE");
    EXPECT_EQ(Options->focusWidget(), Control("OKBtn"));
    std::vector<int> topics;
    for (const char* page : {"Preferences", "PlayerSettings", "GeneralSettings", "AIE"}) {
        Show(page);
        Press("HelpBtn");
        topics.push_back(Form->Help->Window()->CurrentContext());
    }
    EXPECT_EQ(topics, (std::vector<int>{4444, 1111, 2222, 3333}));
}

TEST_F(OptionsWindowTest, EverySettingLoadsAsStoredAndOkStoresItBack) {
    const QString stored = "1st NAME=, 2nd NAME=Zoe, A-D Factor=7, AUTOPLAY SPEED=3, BOARD "
                           "COLOR=1122867, HINT COLOR=4, HUMAN vs HUMAN=0, LAST COLOR=5, MUSIC=0, "
                           "PLAYER1 COLOR=0, RANDOMNESS=11, REPLAY SPEED=5, SOUND=0, WHO IS "
                           "FIRST=2nd Player is First";
    for (const QString& value : stored.split(", ")) {
        Store(value.section('=', 0, 0).toLatin1().constData(), value.section('=', 1));
    }
    Start();
    Show();
    EXPECT_EQ(OptionsShown(), "music 0 sound 0 humans 0 box off, 2nd Player is First, BlackPlayer "
                              "WhiteMaster, names /Zoe shown Player 1/Rennor King, A-D 7 (-9), "
                              "randomness button 11, speeds 3/5");
    EXPECT_EQ(LiveShown(), "A-D -9, randomness 11 (11), speeds 3/5, colours 112233/4/5 (4/5 kept), "
                           "first B");
    Press("OKBtn");
    EXPECT_EQ(StoredValues(), stored);
}

TEST_F(OptionsWindowTest, OddStoredTextsLoadAsTheStoreReadsThem) {
    TSettingsKey key;
    for (auto [ad, random, sound, shown] :
         {std::tuple{"-5", "12", "2", "sound 1; A-D 0 (-16), randomness button 0"},
          {"99", "0", "", "sound 1; A-D 32 (16), randomness button 0"},
          {"0x14", "1", "0", "sound 0; A-D 20 (4), randomness button 1"},
          {"abc", "x", "x", "sound 1; A-D 20 (4), randomness button 2"}}) {
        Store("A-D Factor", ad);
        Store("RANDOMNESS", random);
        Store("SOUND", sound);
        Options = std::make_unique<TOptionsForm>(key);
        Show();
        const QString all = OptionsShown();
        EXPECT_EQ(all.section(' ', 2, 3) + "; " + all.section(", ", 4, 5), shown) << ad;
    }
}

TEST_F(OptionsWindowTest, ChangesOtherThanTheModeNeverAsk) {
    Start();
    Show("PlayerSettings");
    Press("WhoMovesFirst");
    Press("BlackPlayerSpeedButton");
    Box("FirstPlayerEditBox")->setText("Max");
    Press("OKBtn");
    EXPECT_EQ(State(), "0/0/0 W, undo 0, hints 0, URAPH, asked 0, reports 0");
    EXPECT_EQ(Stored("WHO IS FIRST") + '/' + Stored("1st NAME"), "2nd Player is First/Max");
    EXPECT_EQ(Form->MainName2->text(), "Max"); // black, applied at once
    EXPECT_EQ(Live.FirstPlayerColor, BlackStone);
}

TEST_F(OptionsWindowTest, AModeChangeAsksWhileAGameRunsYesStartsTheNewGameFirstNoKeepsTheMode) {
    Store("HUMAN vs HUMAN", "1");
    Start();
    Click(5, 5);
    Show("PlayerSettings");
    Press("HumanComputer");
    Press("WhoMovesFirst");
    Press("OKBtn"); // Yes: the new game still sees the two humans stored, so nobody has moved
    EXPECT_EQ(State(), "0/0/0 B, undo 0, hints 0, URAPH, asked 1, reports 0");
    EXPECT_EQ(Stored("HUMAN vs HUMAN") + '/' + Stored("WHO IS FIRST"), "0/2nd Player is First");

    Show("PlayerSettings");
    Press("HumanHuman");
    Box("SecondPlayerEditBox")->setText("Ann");
    Answers->ConfirmAnswers = {false};
    Press("OKBtn");
    EXPECT_EQ(Answers->Questions[1], "Do You Wish To Cancel Current Game ?\n\n"
                                     "If you click 'No' - game mode will not be changed");
    EXPECT_EQ(OptionsShown().section(", ", 0, 0), "music 0 sound 0 humans 0 box off");
    EXPECT_EQ(Options->SecondPlayerLabel(), "Rennor King");
    EXPECT_EQ(Stored("HUMAN vs HUMAN") + '/' + Stored("2nd NAME"), "0/Ann");
    EXPECT_EQ(Game.MoveCount, 0);
}

TEST_F(OptionsWindowTest, AModeChangeAfterTheGameEndedNeedsNoQuestionAndLocksTheBoard) {
    Store("HUMAN vs HUMAN", "1");
    Start();
    for (int x = 1; x <= 4; ++x) {
        Click(x, 1);
        Click(x, 3);
    }
    Ports->CloseWithEnter = true;
    Click(5, 1);
    Game.GameFinished = false;
    Show("PlayerSettings");
    Press("HumanComputer");
    Press("OKBtn");
    EXPECT_TRUE(Answers->Questions.isEmpty());
    EXPECT_TRUE(Game.GameFinished); // asking locked the board
    EXPECT_EQ(Stored("HUMAN vs HUMAN"), "0");
    EXPECT_EQ(Game.MoveCount, 9);
}

TEST_F(OptionsWindowTest, MusicIsSwitchedOnlyWhenItsBoxChanged) {
    Start();
    std::vector<bool> switches;
    Options->Hooks.SwitchMusic = [&](bool on) { switches.push_back(on); };
    for (bool change : {false, true, true}) {
        Show("GeneralSettings");
        if (change) {
            Press("MusicCheckBox");
        }
        Press("OKBtn");
    }
    EXPECT_EQ(switches, (std::vector<bool>{true, false}));
}

TEST_F(OptionsWindowTest, AValueThatIsNoTextStopsTheLoadWithOneErrorBox) {
    Start();
    Store("SOUND", "1");
    Store("MUSIC", QStringList{"a", "b"});
    Show();
    // The closing quote sorts before the full stop, so none is added.
    EXPECT_EQ(Answers->Errors, QStringList{"Invalid data type for 'MUSIC'"});
    EXPECT_FALSE(Options->SoundChecked()); // the load stopped before SOUND
    EXPECT_TRUE(Options->isVisible());     // and the dialog is still usable
}

} // namespace
