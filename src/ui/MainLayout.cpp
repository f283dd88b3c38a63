// The fixed layout of the main window's client area: 561 x 406 pixels, status bar included.
#include "ui/MainForm.h"

#include "resources/Fonts.h"
#include "ui/Bevelled.h"
#include "widgets/Digits.h"
#include "widgets/RXCtrls.h"
#include "widgets/TurnStone.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace {

constexpr int ClientWidth = 561;
constexpr int ClientHeight = 406;
constexpr int StatusHeight = 17;

void SetBlack(QWidget* widget) {
    widget->setAutoFillBackground(true);
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    widget->setPalette(p);
}

QLabel* Picture(QWidget* parent, int x, int y) {
    auto* label = new QLabel(parent);
    label->move(x, y);
    return label;
}

QToolButton* PictureButton(QWidget* parent, int x, const char* hint) {
    auto* button = new QToolButton(parent);
    button->setGeometry(x, 3, 41, 42);
    button->setToolTip(QString::fromUtf8(hint));
    button->setStatusTip(QString::fromUtf8(hint));
    button->setAccessibleName(QString::fromUtf8(hint)); // a picture gives no name of its own
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(false);
    return button;
}

QLabel* NameLabel(QWidget* parent, int x, int y) {
    auto* label = new QLabel(parent);
    label->setFont(Fonts::Points(Fonts::TFamily::CourierNew, 12));
    label->setStyleSheet(QStringLiteral("color: white; background: black"));
    label->move(x, y);
    return label;
}

TDigits* DigitsDisplay(QWidget* parent, const QRect& geometry, const char* name, const char* hint) {
    auto* digits = new TDigits(parent);
    digits->setGeometry(geometry);
    digits->setAccessibleName(QString::fromUtf8(name));
    digits->setStatusTip(QString::fromUtf8(hint));
    return digits;
}

} // namespace

void TMainForm::BuildControls() {
    auto* client = new QWidget(this);
    client->setFixedSize(ClientWidth, ClientHeight);
    SetBlack(client);
    client->setFont(Fonts::Points(Fonts::TFamily::MSSansSerif, 9));
    setCentralWidget(client);

    BuildBoard(client);
    BuildToolBar(client);
    BuildTurnIndicator(client);
    BuildDisplays(client);
    BuildCommentPanel(client);
    BuildBevels(client);
    BuildStatusBar(client);
}

void TMainForm::BuildToolBar(QWidget* client) {
    Panel1 = new TBevelled<QFrame>(TBevelShadow::Raised, client);
    Panel1->setGeometry(389, 4, 167, 48);
    NewGameButton = PictureButton(Panel1, 3, "New Game");
    LoadGameButton = PictureButton(Panel1, 43, "Load Saved Game");
    SaveGameButton = PictureButton(Panel1, 83, "Save Game");
    OptionsButton = PictureButton(Panel1, 123, "Options");
    connect(NewGameButton, &QToolButton::clicked, this, &TMainForm::NewGame1Click);
    connect(LoadGameButton, &QToolButton::clicked, this, &TMainForm::LoadGame1Click);
    connect(SaveGameButton, &QToolButton::clicked, this, &TMainForm::SaveGame1Click);
    connect(OptionsButton, &QToolButton::clicked, this, &TMainForm::Options1Click);
}

void TMainForm::BuildTurnIndicator(QWidget* client) {
    NoughtImage = new TTurnStone(client);
    NoughtImage->setGeometry(393, 74, 20, 20);
    NoughtImage->setAccessibleName(QStringLiteral("White stones"));
    MainName1 = NameLabel(client, 425, 76);
    CrossImage = new TTurnStone(client);
    CrossImage->setGeometry(393, 111, 20, 20);
    CrossImage->setAccessibleName(QStringLiteral("Black stones"));
    MainName2 = NameLabel(client, 425, 112);
}

void TMainForm::BuildDisplays(QWidget* client) {
    Image1 = Picture(client, 390, 152);
    MovesDone = DigitsDisplay(client, {509, 149, 48, 21}, "Moves done",
                              "Overall number of moves done by both sides");
    MovesDone->SetDigitCount(3);

    Image2 = Picture(client, 413, 188);
    DigitalCoordinates =
        DigitsDisplay(client, {431, 209, 75, 20}, "Coordinates",
                      "Last HORIZONTAL and VERTICAL coordinates under the mouse pointer");
    DigitalCoordinates->SetAutoSize(false);
    DigitalCoordinates->SetMode(dmTime);
    DigitalCoordinates->SetShowLeadingZeros(true);
    DigitalCoordinates->SetDigitCount(4);
    DigitalCoordinates->SetIncDecSpeed(1);
    DigitalCoordinates->SetIncDecSteps(10);
    DigitalCoordinates->SetDateTime(35650.0);

    TimeElapsedImage = Picture(client, 409, 248);
    TimeElapsed = DigitsDisplay(client, {409, 269, 128, 21}, "Time elapsed",
                                "Time elapsed since the beginning of the current game");
    TimeElapsed->SetMode(dmTime);
    TimeElapsed->SetShowLeadingZeros(true);
    TimeElapsed->SetAnnounced(false); // read when asked, not spoken every second
}

void TMainForm::BuildBevels(QWidget* client) {
    // Decoration only: boxes around the groups of the right-hand column and two rules. The boxes
    // reach the right-hand rule, so the moves display, which ends at x = 556, leaves their
    // two-pixel edge whole.
    const QRect boxes[] = {
        {386, 1, 173, 54},   {386, 60, 173, 80},  {386, 144, 173, 34},
        {386, 182, 173, 56}, {386, 242, 173, 58}, {385, 304, 175, 86},
    };
    for (const QRect& r : boxes) {
        auto* bevel = new QFrame(client);
        bevel->setGeometry(r);
        bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
        bevel->setAttribute(Qt::WA_TransparentForMouseEvents);
        bevel->lower();
    }
    const QRect rules[] = {{390, 100, 164, 2}, {0, 1, 384, 2}, {384, 1, 2, 388}, {559, 1, 2, 388}};
    for (const QRect& r : rules) {
        auto* rule = new QFrame(client);
        rule->setGeometry(r);
        rule->setFrameStyle((r.width() == 2 ? QFrame::VLine : QFrame::HLine) | QFrame::Sunken);
        rule->setAttribute(Qt::WA_TransparentForMouseEvents);
        rule->lower();
    }
}

void TMainForm::BuildStatusBar(QWidget* client) {
    StatusBar = new TBevelled<QLabel>(TBevelShadow::Lowered, client);
    StatusBar->setGeometry(0, ClientHeight - StatusHeight, ClientWidth, StatusHeight);
    SetBlack(StatusBar);
    StatusBar->setIndent(2);
}

void TMainForm::BuildCommentPanel(QWidget* client) {
    CommentPanel = new TSecretPanel(client);
    CommentPanel->setGeometry(387, 306, 171, 82);
    CommentPanel->setAccessibleName(QStringLiteral("Comments"));
    CommentPanel->setFont(Fonts::Pixels(Fonts::TFamily::MSSansSerif, 12));
    QPalette p = CommentPanel->palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    CommentPanel->setPalette(p);
    CommentPanel->SetLines({QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" "),
                            QStringLiteral(" "), QStringLiteral("Press right mouse button"),
                            QStringLiteral("on an empty square to get"),
                            QStringLiteral("a relative percentage of the"),
                            QStringLiteral("optimal move (The optimal"),
                            QStringLiteral(" move is equal to 100%)."), QStringLiteral(" ")});
}
