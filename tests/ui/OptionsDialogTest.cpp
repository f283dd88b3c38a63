// The options dialog as the user meets it: stones, names, mode, who is first, bars, colours.
#include "OptionsTestSupport.h"

#include "ui/OptionsTrackBar.h"

#include "widgets/RxDrawGrid.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QWhatsThis>

namespace {

struct StonePress {
    const char* pressed;
    const char* partner;
    const char* released[2];
};

} // namespace

TEST_F(OptionsTest, EachStoneButtonPressesTheOtherPlayersOppositeStone) {
    ShowOnPage("PlayerSettings");
    const StonePress presses[] = {
        {"BlackPlayerSpeedButton",
         "WhiteMasterSpeedButton",
         {"WhitePlayerSpeedButton", "BlackMasterSpeedButton"}},
        {"WhitePlayerSpeedButton",
         "BlackMasterSpeedButton",
         {"BlackPlayerSpeedButton", "WhiteMasterSpeedButton"}},
        {"WhiteMasterSpeedButton",
         "BlackPlayerSpeedButton",
         {"WhitePlayerSpeedButton", "BlackMasterSpeedButton"}},
        {"BlackMasterSpeedButton",
         "WhitePlayerSpeedButton",
         {"BlackPlayerSpeedButton", "WhiteMasterSpeedButton"}},
    };
    for (const StonePress& p : presses) {
        for (int twice = 0; twice < 2; ++twice) { // pressing a pressed button keeps it down
            Click(p.pressed);
            EXPECT_TRUE(Down(p.pressed)) << p.pressed;
            EXPECT_TRUE(Down(p.partner)) << p.pressed;
            EXPECT_FALSE(Down(p.released[0])) << p.pressed;
            EXPECT_FALSE(Down(p.released[1])) << p.pressed;
        }
    }
    EXPECT_TRUE(Form->WhitePlayerDown());
    EXPECT_FALSE(Form->WhiteMasterDown());
    EXPECT_EQ(Ports.Questions.size(), 0);
}

TEST_F(OptionsTest, LabelsFollowTheNamesAndTheComputerKeepsItsName) {
    ShowOnPage("PlayerSettings");
    auto* first = Child<QLineEdit>("FirstPlayerEditBox");
    auto* second = Child<QLineEdit>("SecondPlayerEditBox");
    first->clear();
    EXPECT_EQ(Form->FirstPlayerLabel(), "Player 1");
    QTest::keyClicks(first, "Bartholomew the Third");
    EXPECT_EQ(first->text(), "Bartholomew t"); // 13 characters at most
    EXPECT_EQ(Form->FirstPlayerLabel(), "Bartholomew t");

    // Against the computer the second box is closed but keeps its text.
    second->setText("Ann");
    Click("HumanComputer");
    EXPECT_FALSE(second->isEnabled());
    EXPECT_EQ(second->text(), "Ann");
    EXPECT_EQ(Form->SecondPlayerLabel(), "Rennor King");
    Click("HumanHuman");
    EXPECT_TRUE(second->isEnabled());
    EXPECT_EQ(Form->SecondPlayerLabel(), "Ann");
    second->clear();
    EXPECT_EQ(Form->SecondPlayerLabel(), "Player 2");
}

TEST_F(OptionsTest, WhoMovesFirstToggles) {
    ShowOnPage("PlayerSettings");
    Click("WhoMovesFirst");
    EXPECT_EQ(Form->WhoMovesFirstCaption(), "2nd Player is First");
    Click("WhoMovesFirst");
    EXPECT_EQ(Form->WhoMovesFirstCaption(), "1st Player is First");
    Form->SetWhoMovesFirstCaption("Nobody"); // an edited store
    Click("WhoMovesFirst");
    EXPECT_EQ(Form->WhoMovesFirstCaption(), "1st Player is First");
}

TEST_F(OptionsTest, TheAttackBarActsWhileItMoves) {
    ShowOnPage("AIE");
    auto* bar = Child<TSelTrackBar>("TrackBar");
    auto* readout = Child<QLabel>("ADPanel");
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Home);
    EXPECT_EQ(readout->text(), "-16");
    EXPECT_EQ(Live.ADFactor, -16);
    EXPECT_EQ(bar->SelStart(), 0);
    EXPECT_EQ(bar->SelEnd(), 16);
    QTest::keyClick(bar, Qt::Key_End);
    EXPECT_EQ(readout->text(), "16");
    EXPECT_EQ(Live.ADFactor, 16);
    EXPECT_EQ(bar->SelStart(), 16);
    EXPECT_EQ(bar->SelEnd(), 32);
    bar->setValue(16);
    EXPECT_EQ(readout->text(), "0");
    EXPECT_EQ(Live.ADFactor, 0);
    EXPECT_TRUE(Form->isVisible()); // no OK needed
}

TEST_F(OptionsTest, SpeedBarsActWhileTheyMove) {
    ShowOnPage("GeneralSettings");
    auto* replay = Child<TSelTrackBar>("ReplayTrackBar");
    replay->setFocus();
    QTest::keyClick(replay, Qt::Key_Left);
    EXPECT_EQ(Live.ReplaySpeed, 8);
    auto* autoPlay = Child<TSelTrackBar>("AutoPlaytrackBar");
    autoPlay->setFocus();
    QTest::keyClick(autoPlay, Qt::Key_Home);
    EXPECT_EQ(Live.AutoPlaySpeed, 0);
    // Cancel keeps them in effect until the next showing reloads the store.
    Click("CancelBtn");
    EXPECT_EQ(Live.ReplaySpeed, 8);
    EXPECT_EQ(Live.AutoPlaySpeed, 0);
    Show();
    EXPECT_EQ(Live.ReplaySpeed, 9);
    EXPECT_EQ(Live.AutoPlaySpeed, 9);
}

TEST_F(OptionsTest, RandomnessButtonsLeaveOneDownAndOkCommitsIt) {
    ShowOnPage("AIE");
    Click("SpeedButton1"); // caption "0"
    EXPECT_EQ(Live.PendingRandomness, 1);
    int down = 0;
    for (int i = 1; i <= 12; ++i) {
        down += Down(QByteArray("SpeedButton" + QByteArray::number(i)).constData());
    }
    EXPECT_EQ(down, 1);
    EXPECT_TRUE(Down("SpeedButton1"));
    EXPECT_EQ(Live.Randomness, 2); // not before OK
    Click("OKBtn");
    EXPECT_EQ(Live.Randomness, 1);
    EXPECT_EQ(Stored("RANDOMNESS"), "1");
}

TEST_F(OptionsTest, ColourPickerStartsOnTheLastPickAndCancelChangesNothing) {
    ShowOnPage("Preferences");
    Ports.Colors = {std::nullopt, 0x123456, 0x00FF00};
    Click("HintColorBtn");
    EXPECT_EQ(Live.PendingHintColor, ColorRed);
    Click("HintColorBtn");
    EXPECT_EQ(Live.PendingHintColor, 0x123456);
    // The current last-move colour picked again is no change.
    Click("LastMoveBackgroudColorBtn");
    EXPECT_FALSE(Live.LastMoveColorChanged);
    ASSERT_EQ(Ports.ColorPickerStarts.size(), 3u);
    EXPECT_EQ(Ports.ColorPickerStarts[0], 0);
    EXPECT_EQ(Ports.ColorPickerStarts[1], 0);
    EXPECT_EQ(Ports.ColorPickerStarts[2], 0x123456);
    Ports.Colors = {0x0000FF};
    Click("LastMoveBackgroudColorBtn");
    EXPECT_TRUE(Live.LastMoveColorChanged);
    EXPECT_EQ(Live.LastMoveColor, ColorLime); // only OK commits
}

TEST_F(OptionsTest, BuiltInColorSetThenCancelKeepsTheColours) {
    Live.BoardColor = Live.PendingHintColor = Live.HintColor = 0x112233;
    Store("BOARD COLOR", "1122867"); // 0x112233
    Store("HINT COLOR", "1122867");
    Store("LAST COLOR", "1122867");
    ShowOnPage("Preferences");
    Click("DefaultColors");
    EXPECT_EQ(Form->PreviewColor(), ColorGray);
    EXPECT_EQ(Live.PendingHintColor, ColorRed);
    EXPECT_EQ(Live.PendingLastMoveColor, ColorLime);
    EXPECT_TRUE(Live.LastMoveColorChanged);
    Click("CancelBtn");
    EXPECT_FALSE(Form->isVisible());
    EXPECT_EQ(Live.BoardColor, 0x112233);
    EXPECT_EQ(Live.HintColor, 0x112233);
    EXPECT_EQ(Live.LastMoveColor, 0x112233);
    EXPECT_EQ(Form->PreviewColor(), 0x112233);
    EXPECT_EQ(Live.PendingHintColor, 0x112233);
    EXPECT_EQ(Applies, 0);
    EXPECT_EQ(Stored("MUSIC"), ""); // nothing written
}

TEST_F(OptionsTest, EscapeIsCancel) {
    ShowOnPage("Preferences");
    Ports.Colors = {0x445566};
    Click("BoardColorBtn");
    EXPECT_EQ(Form->PreviewColor(), 0x445566);
    QTest::keyClick(Form.get(), Qt::Key_Escape);
    EXPECT_FALSE(Form->isVisible());
    EXPECT_EQ(Form->PreviewColor(), ColorGray);
    EXPECT_EQ(Live.BoardColor, ColorGray);
}

TEST_F(OptionsTest, TheFirstPageIsPreferencesThenTheLastOneShownStays) {
    Show();
    auto* pages = Child<QTabWidget>("OptionsControl");
    EXPECT_EQ(pages->currentWidget()->objectName(), "Preferences");
    pages->setCurrentIndex(3);
    Click("CancelBtn");
    Show();
    EXPECT_EQ(pages->currentWidget()->objectName(), "AIE");
    EXPECT_EQ(Form->focusWidget(), Child("OKBtn"));
}

TEST_F(OptionsTest, HelpOpensTheTopicOfThePageShown) {
    std::vector<int> topics;
    Form->Hooks.ShowHelp = [&](int context) { topics.push_back(context); };
    for (const char* page : {"Preferences", "PlayerSettings", "GeneralSettings", "AIE"}) {
        ShowOnPage(page);
        Click("HelpBtn");
    }
    EXPECT_EQ(topics, (std::vector<int>{4444, 1111, 2222, 3333}));
}

TEST_F(OptionsTest, ContextHelpReachesTheTopicOfTheControl) {
    std::vector<int> popups;
    QWidget* menuFor = nullptr;
    Form->Hooks.ShowHelpPopup = [&](int context, const QPoint&) { popups.push_back(context); };
    Form->Hooks.ContextHelpMenu = [&](QWidget* control, const QPoint&) { menuFor = control; };
    ShowOnPage("AIE");
    QWhatsThis::enterWhatsThisMode();
    QTest::mouseClick(Child("TrackBar"), Qt::LeftButton);
    EXPECT_FALSE(QWhatsThis::inWhatsThisMode());
    EXPECT_EQ(Child("TrackBar")->toolTip(), "Change The Behavior Of Rennor Master");
    EXPECT_EQ(popups, std::vector<int>{3001});
    QWidget* panel = Child("ADPanel");
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(4, 4),
                           panel->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(panel, &menu);
    EXPECT_EQ(menuFor, Child("ADPanel"));
}

// The colour at offset (dx, dy) of preview cell (col, row), as the screen shows it.
QColor PreviewPixel(TRxDrawGrid* grid, int col, int row, int dx, int dy) {
    const QImage image = grid->grab().toImage();
    const QPoint at = grid->ClientOrigin() + grid->CellRect(col, row).topLeft() + QPoint(dx, dy);
    return image.pixelColor(at * image.devicePixelRatio());
}

TEST_F(OptionsTest, PreviewShowsTheWorkingColoursOnTheSamplePosition) {
    ShowOnPage("Preferences");
    auto* grid = Child<TRxDrawGrid>("PreviewGrid");
    const QColor gray(128, 128, 128), red(255, 0, 0), lime(0, 255, 0), aqua(0, 255, 255);
    const QColor black(0, 0, 0);
    EXPECT_EQ(PreviewPixel(grid, 4, 4, 9, 9), gray);           // empty square
    EXPECT_EQ(PreviewPixel(grid, 4, 4, 1, 1), gray);           // with a ring of its own colour
    EXPECT_EQ(PreviewPixel(grid, 0, 0, 9, 9), aqua);           // white stone
    EXPECT_LE(qGray(PreviewPixel(grid, 0, 0, 3, 9).rgb()), 8); // and its (smoothed) black rim
    EXPECT_EQ(PreviewPixel(grid, 1, 0, 9, 9), black);          // black stone
    EXPECT_LE(PreviewPixel(grid, 1, 0, 3, 9).red(), 8);        // aqua, smoothed
    EXPECT_EQ(PreviewPixel(grid, 4, 0, 9, 9), red);            // the hint square
    EXPECT_EQ(PreviewPixel(grid, 4, 0, 1, 1), black);
    EXPECT_EQ(PreviewPixel(grid, 1, 2, 2, 2), lime); // the last move, black ring, its stone
    EXPECT_EQ(PreviewPixel(grid, 1, 2, 1, 1), black);
    EXPECT_EQ(PreviewPixel(grid, 1, 2, 9, 9), black);

    Ports.Colors = {0xFF0000, 0x00FFFF, 0x808000};
    Click("BoardColorBtn");
    Click("HintColorBtn");
    Click("LastMoveBackgroudColorBtn");
    EXPECT_EQ(PreviewPixel(grid, 4, 4, 9, 9), QColor(0, 0, 255));
    EXPECT_EQ(PreviewPixel(grid, 4, 0, 9, 9), QColor(255, 255, 0));
    EXPECT_EQ(PreviewPixel(grid, 1, 2, 2, 2), QColor(0, 128, 128));
    // The board itself keeps its colours until OK.
    EXPECT_EQ(Live.BoardColor, ColorGray);
    Click("DefaultColors");
    EXPECT_EQ(PreviewPixel(grid, 4, 4, 9, 9), gray);
    EXPECT_EQ(PreviewPixel(grid, 1, 2, 2, 2), lime);
}
