// The options dialog's pages and its button strip: controls, captions, hints, help contexts.
#include "ui/OptionsForm.h"
#include "ui/OptionsTrackBar.h"

#include "resources/Artwork.h"
#include "storage/SettingNames.h"
#include "ui/Bevelled.h"
#include "ui/DialogKeys.h"
#include "widgets/RxDrawGrid.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

namespace {

constexpr int PreviewCells = 6;
constexpr int PreviewFixedCells = 5;
constexpr int PreviewCellSize = 19;
constexpr int PreviewSize = 104;
constexpr int RandomButtons = 11;

template <typename W> W* Place(W* widget, QWidget* parent, const char* name, QRect geometry) {
    widget->setParent(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    return Place(new QLabel(text), parent, name, geometry);
}

// The "Slow" and "Fast" words at the two ends of a speed track bar.
void PlaceSpeedEnds(QWidget* page, const QRect& bar) {
    PlaceLabel(page, "", QStringLiteral("Slow"), QRect(bar.left(), bar.bottom() + 1, 40, 14));
    auto* fast = PlaceLabel(page, "", QStringLiteral("Fast"),
                            QRect(bar.right() - 39, bar.bottom() + 1, 40, 14));
    fast->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

TSelTrackBar* PlaceTrackBar(QWidget* page, const char* name, const char* spoken, QRect geometry,
                            int maximum, QSlider::TickPosition ticks) {
    auto* bar = Place(new TSelTrackBar, page, name, geometry);
    bar->setAccessibleName(QLatin1String(spoken));
    bar->setRange(0, maximum);
    bar->setTickInterval(1);
    bar->setPageStep(1);
    bar->setTickPosition(ticks);
    return bar;
}

QToolButton* PlaceStoneButton(QWidget* panel, const char* name, TStoneColor stone, QRect geometry,
                              QButtonGroup* group, const char* player) {
    auto* button = Place(new QToolButton, panel, name, geometry);
    // A picture gives no name of its own: say the colour and whose it is.
    button->setAccessibleName(
        QStringLiteral("%1 for %2")
            .arg(stone == BlackStone ? QStringLiteral("Black") : QStringLiteral("White"),
                 QLatin1String(player)));
    button->setCheckable(true);
    button->setIcon(stone == BlackStone ? Artwork::BlackStonePicture()
                                        : Artwork::WhiteStonePicture());
    button->setIconSize(QSize(20, 20));
    group->addButton(button);
    return button;
}

} // namespace

void TOptionsForm::SetHelp(QWidget* control, const QString& hint, int context) {
    if (!hint.isEmpty()) {
        control->setToolTip(hint);
        control->setStatusTip(hint);
    }
    if (context != 0) {
        control->setProperty("helpContext", context);
        control->installEventFilter(this);
        control->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(control, &QWidget::customContextMenuRequested, this, [this, control](QPoint at) {
            if (Hooks.ContextHelpMenu) {
                Hooks.ContextHelpMenu(control, control->mapToGlobal(at));
            }
        });
    }
}

void TOptionsForm::BuildButtonStrip() {
    auto* line = Place(new QFrame, this, "Bevel1", QRect(0, 201, 461, 2));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    Ctl.OKBtn =
        Place(new QPushButton(QStringLiteral("&OK")), this, "OKBtn", QRect(221, 206, 75, 25));
    Ctl.OKBtn->setDefault(true);
    SetHelp(Ctl.OKBtn, QStringLiteral("Click To Save Changes"), 1012);
    Ctl.CancelBtn = Place(new QPushButton(QStringLiteral("&Cancel")), this, "CancelBtn",
                          QRect(301, 206, 75, 25));
    SetHelp(Ctl.CancelBtn, QStringLiteral("Click To Cancel Changes"), 1013);
    Ctl.HelpBtn =
        Place(new QPushButton(QStringLiteral("&Help")), this, "HelpBtn", QRect(381, 206, 75, 25));
    SetHelp(Ctl.HelpBtn, QStringLiteral("For help click here"), 1014);
}

QWidget* TOptionsForm::BuildPreferencesPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Preferences"));
    struct ColorButton {
        const char* name;
        const char* caption;
        const char* hint;
        int context;
    };
    static const ColorButton buttons[] = {
        {"BoardColorBtn", "Change Board Color...", "Click to change current board color.", 4001},
        {"HintColorBtn", "Change Hint Color...", "Click to change current hint color.", 4002},
        {"LastMoveBackgroudColorBtn", "Change Last Move Highlight Color...",
         "Click to change the color of highlighting the last move made.", 4003},
        {"DefaultColors", "Built-In Color Set",
         "Click to restore all color options to the pre-set defaults.", 4004},
    };
    int top = 10;
    for (const ColorButton& b : buttons) {
        auto* button =
            Place(new QPushButton(QLatin1String(b.caption)), page, b.name, QRect(6, top, 317, 25));
        SetHelp(button, QLatin1String(b.hint), b.context);
        top += 34;
    }
    Ctl.PreviewGrid =
        Place(new TRxDrawGrid, page, "PreviewGrid", QRect(333, 8, PreviewSize, PreviewSize));
    Ctl.PreviewGrid->SetColCount(PreviewCells);
    Ctl.PreviewGrid->SetRowCount(PreviewCells);
    Ctl.PreviewGrid->SetFixedCols(PreviewFixedCells);
    Ctl.PreviewGrid->SetFixedRows(PreviewFixedCells);
    Ctl.PreviewGrid->SetDefaultColWidth(PreviewCellSize);
    Ctl.PreviewGrid->SetDefaultRowHeight(PreviewCellSize);
    Ctl.PreviewGrid->setAccessibleName(QStringLiteral("Board preview"));
    SetPreviewColor(Live.BoardColor);
    SetHelp(Ctl.PreviewGrid,
            QStringLiteral("Board preview shows how will the board look with selected colors."),
            4005);
    auto* caption = PlaceLabel(page, "StaticText1", QStringLiteral("Board Preview"),
                               QRect(333, 116, PreviewSize, 16));
    caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return page;
}

QWidget* TOptionsForm::BuildPlayersPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PlayerSettings"));
    auto* mode = Place(new QGroupBox(QStringLiteral(" Game Mode ")), page, "GroupBox1",
                       QRect(6, 2, 185, 62));
    Ctl.HumanHuman = Place(new QRadioButton(QStringLiteral("Hum&an vs Human")), mode, "HumanHuman",
                           QRect(10, 18, 165, 18));
    SetHelp(Ctl.HumanHuman, QStringLiteral("Click For Two Players"), 1001);
    Ctl.HumanComputer = Place(new QRadioButton(QStringLiteral("Huma&n vs Computer")), mode,
                              "HumanComputer", QRect(10, 38, 165, 18));
    Ctl.HumanComputer->setChecked(true);
    SetHelp(Ctl.HumanComputer, QStringLiteral("Click For One Player and Computer"), 1002);
    Ctl.WhoMovesFirst = Place(new QPushButton(QLatin1String(FirstPlayerIsFirst)), page,
                              "WhoMovesFirst", QRect(10, 70, 177, 32));
    SetHelp(Ctl.WhoMovesFirst, QStringLiteral("Click to Change Who Moves First"), 1003);

    struct NameRow {
        const char* label;
        const char* caption;
        const char* box;
        const char* hint;
        int context;
        int top;
    };
    static const NameRow rows[] = {
        {"Label2", "Name Of &1st Player : ", "FirstPlayerEditBox", "Enter 1st Player's Name Here",
         1010, 110},
        {"Label3", "Name Of &2nd Player : ", "SecondPlayerEditBox", "Enter 2nd Player's Name Here",
         1011, 136},
    };
    QLineEdit* boxes[2] = {};
    for (int i = 0; i < 2; ++i) {
        const NameRow& r = rows[i];
        auto* label =
            PlaceLabel(page, r.label, QLatin1String(r.caption), QRect(6, r.top + 3, 118, 16));
        boxes[i] = Place(new QLineEdit, page, r.box, QRect(124, r.top, 102, 21));
        boxes[i]->setMaxLength(NameMaxLength);
        label->setBuddy(boxes[i]);
        SetHelp(boxes[i], QLatin1String(r.hint), r.context);
    }
    Ctl.FirstPlayerEditBox = boxes[0];
    Ctl.SecondPlayerEditBox = boxes[1];
    // Closed to typing in a game against the computer, the second box takes the menu colour.
    QPalette closed = Ctl.SecondPlayerEditBox->palette();
    closed.setColor(QPalette::Disabled, QPalette::Base,
                    closed.color(QPalette::Active, QPalette::Window));
    Ctl.SecondPlayerEditBox->setPalette(closed);
    BuildStonePanel(page);
    return page;
}

QWidget* TOptionsForm::BuildStonePanel(QWidget* page) {
    auto* panel = Place(new TBevelled<QFrame>(TBevelShadow::Raised), page, "SelectColorPanel",
                        QRect(232, 4, 205, 152));
    auto* first = new QButtonGroup(this);
    auto* second = new QButtonGroup(this);
    Ctl.FirstPlayerLabel = PlaceLabel(panel, "FirstPlayerLabel", QLatin1String(DefaultFirstName),
                                      QRect(8, 8, 189, 16));
    Ctl.BlackPlayerSpeedButton = PlaceStoneButton(panel, "BlackPlayerSpeedButton", BlackStone,
                                                  QRect(64, 28, 28, 28), first, "1st player");
    SetHelp(Ctl.BlackPlayerSpeedButton, QStringLiteral("Click To Set Black Color For 1st Player"),
            0);
    Ctl.WhitePlayerSpeedButton = PlaceStoneButton(panel, "WhitePlayerSpeedButton", WhiteStone,
                                                  QRect(112, 28, 28, 28), first, "1st player");
    SetHelp(Ctl.WhitePlayerSpeedButton, QStringLiteral("Click To Set White Color For 1st Player"),
            0);
    auto* middle =
        Place(new TBevelled<QLabel>(TBevelShadow::Lowered), panel, "Panel3", QRect(8, 62, 189, 24));
    middle->setText(QStringLiteral("Select Peg Color"));
    middle->setAlignment(Qt::AlignCenter);
    Ctl.WhiteMasterSpeedButton = PlaceStoneButton(panel, "WhiteMasterSpeedButton", WhiteStone,
                                                  QRect(64, 92, 28, 28), second, "2nd player");
    SetHelp(Ctl.WhiteMasterSpeedButton,
            QStringLiteral("Click To Set White Color For 2nd Player Or For Computer"), 0);
    Ctl.BlackMasterSpeedButton = PlaceStoneButton(panel, "BlackMasterSpeedButton", BlackStone,
                                                  QRect(112, 92, 28, 28), second, "2nd player");
    SetHelp(Ctl.BlackMasterSpeedButton,
            QStringLiteral("Click To Set Black Color For 2nd Player Or For Computer"), 0);
    Ctl.SecondPlayerLabel =
        PlaceLabel(panel, "SecondPlayerLabel", QLatin1String(ComputerName), QRect(8, 126, 189, 16));
    for (QLabel* label : {Ctl.FirstPlayerLabel, Ctl.SecondPlayerLabel}) {
        label->setAlignment(Qt::AlignCenter);
    }
    Ctl.WhitePlayerSpeedButton->setChecked(true);
    Ctl.BlackMasterSpeedButton->setChecked(true);
    return panel;
}

QWidget* TOptionsForm::BuildGeneralPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("GeneralSettings"));
    Ctl.MusicCheckBox = Place(new QCheckBox(QStringLiteral("&Music")), page, "MusicCheckBox",
                              QRect(16, 10, 120, 18));
    SetHelp(Ctl.MusicCheckBox, QStringLiteral("Click To Enable/Disable Music"), 2002);
    Ctl.SoundCheckBox = Place(new QCheckBox(QStringLiteral("&Sound")), page, "SoundCheckBox",
                              QRect(16, 32, 120, 18));
    SetHelp(Ctl.SoundCheckBox, QStringLiteral("Click To Enable/Disable Sound"), 2003);
    for (QCheckBox* box : {Ctl.MusicCheckBox, Ctl.SoundCheckBox}) {
        box->setChecked(true);
    }

    PlaceLabel(page, "Label7", QStringLiteral("Replay Speed :"), QRect(16, 68, 110, 16));
    const QRect replay(130, 60, 220, 30);
    Ctl.ReplayTrackBar =
        PlaceTrackBar(page, "ReplayTrackBar", "Replay speed", replay, 9, QSlider::TicksBelow);
    SetHelp(Ctl.ReplayTrackBar, QStringLiteral("Change Replay speed"), 2004);
    PlaceSpeedEnds(page, replay);

    PlaceLabel(page, "Label8", QStringLiteral("Autoplay Speed :"), QRect(16, 120, 110, 16));
    const QRect autoPlay(130, 112, 220, 30);
    Ctl.AutoPlaytrackBar =
        PlaceTrackBar(page, "AutoPlaytrackBar", "Autoplay speed", autoPlay, 9, QSlider::TicksBelow);
    SetHelp(Ctl.AutoPlaytrackBar, QStringLiteral("Change Autoplay speed"), 2005);
    PlaceSpeedEnds(page, autoPlay);
    Ctl.ReplayTrackBar->setValue(Live.ReplaySpeed);
    Ctl.AutoPlaytrackBar->setValue(Live.AutoPlaySpeed);
    return page;
}

QWidget* TOptionsForm::BuildAIEPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("AIE"));
    auto* title = PlaceLabel(page, "Label1", QStringLiteral("ARTIFICIAL INTELLIGENCE ENGINE:"),
                             QRect(8, 4, 300, 16));
    QFont underlined = title->font();
    underlined.setUnderline(true);
    title->setFont(underlined);
    PlaceLabel(page, "Label4", QStringLiteral("DEFENSE"), QRect(8, 26, 80, 14));
    auto* attack = PlaceLabel(page, "Label5", QStringLiteral("ATTACK"), QRect(280, 26, 80, 14));
    attack->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Ctl.TrackBar = PlaceTrackBar(page, "TrackBar", "Defense or attack", QRect(8, 42, 352, 44),
                                 2 * ADFactorOffset, QSlider::TicksBothSides);
    Ctl.TrackBar->setValue(Live.ADFactor + ADFactorOffset);
    SetHelp(Ctl.TrackBar, QStringLiteral("Change The Behavior Of Rennor Master"), 3001);
    Ctl.ADPanel = Place(new TBevelled<QLabel>(TBevelShadow::Lowered), page, "ADPanel",
                        QRect(370, 40, 64, 44));
    Ctl.ADPanel->setAlignment(Qt::AlignCenter);
    QFont bold = Ctl.ADPanel->font();
    bold.setBold(true);
    bold.setPixelSize(24);
    Ctl.ADPanel->setFont(bold);
    SetHelp(Ctl.ADPanel, QString(), 3002);

    PlaceLabel(page, "Label6", QStringLiteral("RANDOMNESS :"), QRect(8, 108, 90, 16));
    BuildRandomButtons(page);
    return page;
}

void TOptionsForm::BuildRandomButtons(QWidget* page) {
    Ctl.RandomGroup = new QButtonGroup(this);
    for (int i = 0; i <= RandomButtons; ++i) {
        const QByteArray name = "SpeedButton" + QByteArray::number(i + 1);
        auto* button =
            Place(new QToolButton, page, name.constData(), QRect(100 + 24 * i, 104, 24, 25));
        button->setCheckable(true);
        Ctl.RandomGroup->addButton(button, i);
        if (i == RandomButtons) {
            button->hide();
            Ctl.SpeedButton12 = button;
            continue;
        }
        button->setText(QString::number(i));
        SetHelp(button, QStringLiteral("Change The Randomness Of Rennor Master"), 0);
    }
}

QWidget* TOptionsForm::BuildComputerPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("ComputerPlayer"));
    auto* choice = Place(new QGroupBox(QStringLiteral(" Computer Player ")), page, "GroupBox2",
                         QRect(6, 2, 200, 82));
    struct Choice {
        QRadioButton*& radio;
        const char* name;
        const char* caption;
        const char* hint;
    };
    const Choice choices[] = {
        {Ctl.KingRadio, "KingRadio", "Rennor &King", "Rennor King answers at once"},
        {Ctl.EmperorRadio, "EmperorRadio", "Rennor &Emperor",
         "Rennor Emperor, the strong player, thinks for the time per move"},
        {Ctl.ExternalRadio, "ExternalRadio", "E&xternal engine...",
         "Play against any program that speaks the Gomoku brain protocol"},
    };
    int top = 18;
    for (const Choice& c : choices) {
        c.radio = Place(new QRadioButton(QLatin1String(c.caption)), choice, c.name,
                        QRect(10, top, 180, 18));
        SetHelp(c.radio, QLatin1String(c.hint), ComputerPlayerHelp);
        top += 20;
    }
    Ctl.KingRadio->setChecked(true);
    KeepTabStopOnChecked({Ctl.KingRadio, Ctl.EmperorRadio, Ctl.ExternalRadio});

    auto* timeLabel =
        PlaceLabel(page, "Label9", QStringLiteral("&Time per move :"), QRect(216, 20, 96, 16));
    Ctl.MoveTimeBox = Place(new QDoubleSpinBox, page, "MoveTimeBox", QRect(316, 17, 80, 21));
    Ctl.MoveTimeBox->setRange(ShortestMoveTimeMs / 1000.0, LongestMoveTimeMs / 1000.0);
    Ctl.MoveTimeBox->setDecimals(1);
    Ctl.MoveTimeBox->setSingleStep(0.5);
    Ctl.MoveTimeBox->setSuffix(QStringLiteral(" s"));
    timeLabel->setBuddy(Ctl.MoveTimeBox);
    SetHelp(Ctl.MoveTimeBox,
            QStringLiteral("How long Rennor Emperor or an external engine may think about a move"),
            ComputerPlayerHelp);
    Ctl.KingNote = PlaceLabel(page, "Label10", QString(), QRect(216, 46, 221, 44));
    Ctl.KingNote->setWordWrap(true);
    Ctl.KingNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* engineLabel =
        PlaceLabel(page, "Label11", QStringLiteral("Engine :"), QRect(6, 97, 50, 16));
    Ctl.EnginePathEdit = Place(new QLineEdit, page, "EnginePathEdit", QRect(60, 94, 296, 21));
    engineLabel->setBuddy(Ctl.EnginePathEdit);
    Ctl.EnginePathEdit->setReadOnly(true);
    SetHelp(Ctl.EnginePathEdit, QStringLiteral("The external engine's program"),
            ComputerPlayerHelp);
    Ctl.BrowseEngineBtn = Place(new QPushButton(QStringLiteral("&Browse...")), page,
                                "BrowseEngineBtn", QRect(362, 93, 75, 23));
    SetHelp(Ctl.BrowseEngineBtn, QStringLiteral("Click to choose the external engine's program"),
            ComputerPlayerHelp);
    Ctl.EngineNote = PlaceLabel(
        page, "EngineNote",
        QStringLiteral("The engine failed: Rennor King plays in its place until you choose again."),
        QRect(6, 124, 431, 32));
    Ctl.EngineNote->setWordWrap(true);
    Ctl.EngineNote->hide();
    return page;
}

QWidget* TOptionsForm::BuildRulesPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Rules"));
    struct Choice {
        QRadioButton*& radio;
        const char* name;
        const char* caption;
        const char* hint;
    };
    const auto placeChoices = [this](QGroupBox* group, std::initializer_list<Choice> choices) {
        int top = 18;
        for (const Choice& c : choices) {
            c.radio = Place(new QRadioButton(QLatin1String(c.caption)), group, c.name,
                            QRect(10, top, group->width() - 20, 18));
            SetHelp(c.radio, QLatin1String(c.hint), RulesHelp);
            top += 20;
        }
    };
    placeChoices(
        Place(new QGroupBox(QStringLiteral(" Rule ")), page, "GroupBox3", QRect(6, 2, 200, 82)),
        {{Ctl.FreestyleRadio, "FreestyleRadio", "&Freestyle", "Five or more in a row wins"},
         {Ctl.StandardRadio, "StandardRadio", "Stan&dard",
          "Exactly five in a row wins; six or more does not"},
         {Ctl.RenjuRadio, "RenjuRadio", "Ren&ju",
          "Black wins with exactly five and may not make a double three, a double four "
          "or six in a row; white wins with five or more"}});
    placeChoices(
        Place(new QGroupBox(QStringLiteral(" Board ")), page, "GroupBox4", QRect(216, 2, 221, 62)),
        {{Ctl.LargeBoardRadio, "LargeBoardRadio", "1&9 x 19", "Nineteen squares a side"},
         {Ctl.SmallBoardRadio, "SmallBoardRadio", "1&5 x 15",
          "Fifteen squares a side, larger on the screen"}});
    auto* openingLabel =
        PlaceLabel(page, "Label12", QStringLiteral("Op&ening :"), QRect(216, 73, 60, 16));
    Ctl.OpeningBox = Place(new QComboBox, page, "OpeningBox", QRect(280, 70, 157, 21));
    Ctl.OpeningBox->addItems(
        {QStringLiteral("None"), QStringLiteral("Swap"), QStringLiteral("Swap2")});
    Ctl.OpeningBox->setAccessibleName(QStringLiteral("Opening"));
    openingLabel->setBuddy(Ctl.OpeningBox);
    SetHelp(Ctl.OpeningBox,
            QStringLiteral("Swap: the first player places three stones and the second chooses a "
                           "colour; Swap2 also lets the second player add two stones"),
            RulesHelp);
    auto* note = PlaceLabel(page, "Label13",
                            QStringLiteral("Rennor King plays only freestyle on 19 x 19 without an "
                                           "opening; Rennor Emperor plays any other choice. A new "
                                           "choice starts a new game."),
                            QRect(6, 96, 431, 44));
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Ctl.FreestyleRadio->setChecked(true);
    Ctl.LargeBoardRadio->setChecked(true);
    return page;
}
