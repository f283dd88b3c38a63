// The game-over report: laid out on black, filled from the game when it is shown, with its sound.
#include "ui/ShowWinner.h"

#include "core/Random.h"
#include "resources/Fonts.h"
#include "sound/GameSounds.h"
#include "ui/BoardPainter.h"
#include "ui/DialogKeys.h"
#include "ui/ExitForm.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace {

constexpr int FormWidth = 332;
constexpr int FormHeight = 229;
constexpr int CaptionX = 16;
constexpr int FigureX = 152;
constexpr int BevelWidth = 305;
constexpr int BevelTops[] = {40, 64, 88, 112, 136, 160, 184};

// A top-line bevel: a shadow line with a highlight under it.
class TTopLine : public QWidget {
public:
    TTopLine(QWidget* parent, int y) : QWidget(parent) { setGeometry(CaptionX, y, BevelWidth, 2); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(0, 0, width(), 1, QColor(128, 128, 128));
        painter.fillRect(0, 1, width(), 1, Qt::white);
    }
};

} // namespace

// A caption whose colon stands at a set place. The written captions line their colons up with
// spaces, which holds only in the font they were written for.
class TReportCaption : public QLabel {
public:
    TReportCaption(const QString& caption, QWidget* parent) : QLabel(caption, parent) {}

    int WordsWidth() const { return fontMetrics().horizontalAdvance(Words()); }
    void SetColonX(int x) {
        ColonX = x;
        resize(sizeHint());
    }
    QSize sizeHint() const override {
        return {ColonX + fontMetrics().horizontalAdvance(Colon()), QLabel::sizeHint().height()};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(palette().color(foregroundRole()));
        painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, Words());
        painter.drawText(rect().adjusted(ColonX, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         Colon());
    }

private:
    QString Words() const { return text().left(text().indexOf(QLatin1Char(':'))).trimmed(); }
    QString Colon() const { return text().mid(text().indexOf(QLatin1Char(':'))); }

    int ColonX = 0;
};

void TStoneShape::SetColors(const QColor& brush, const QColor& pen) {
    Brush = brush;
    Pen = pen;
    update();
}

void TStoneShape::paintEvent(QPaintEvent*) {
    // A circle as wide as the shorter side, centred, its pen inside the bounds.
    const int d = std::min(width(), height());
    const QRectF circle((width() - d) / 2 + 0.5, (height() - d) / 2 + 0.5, d - 1, d - 1);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Pen, 1));
    painter.setBrush(Brush);
    painter.drawEllipse(circle);
}

TWinnerForm::TWinnerForm(TMediaPlayer* player, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), Player(player) {
    setWindowTitle(QStringLiteral("Game Over:"));
    setFixedSize(FormWidth, FormHeight);
    setFont(Fonts::Pixels(Fonts::TFamily::MSSansSerif, 11));

    WinnerColor = new TStoneShape(this);
    WinnerColor->setGeometry(88, 12, 25, 20);
    WinnerName = new QLabel(this);
    WinnerName->setFont(Fonts::Pixels(Fonts::TFamily::CourierNew, 16));
    WinnerName->setStyleSheet(QStringLiteral("color: lime"));
    WinnerName->move(120, 13);

    Label2 = AddCaption(QStringLiteral("Moves Done     : "), 48);
    MovesDone = AddLabel(QString(), FigureX, 48);
    Label3 = AddCaption(QStringLiteral("Time Taken     : "), 72);
    TimeTaken = AddLabel(QString(), FigureX, 72);
    Label5 = AddCaption(QStringLiteral("Hints Used     :"), 96);
    HintsUsed = AddLabel(QString(), FigureX, 96);
    Label6 = AddCaption(QStringLiteral("Undo Used      :"), 120);
    UndoUsed = AddLabel(QString(), FigureX, 120);
    Label4 = AddCaption(QStringLiteral("Comments Used  :"), 144);
    CommentsUsed = AddLabel(QString(), FigureX, 144);
    Label1 = AddCaption(QStringLiteral("Switched Sides :"), 168);
    SwitchedSides = AddLabel(QString(), FigureX, 168);
    AlignColons();
    for (int y : BevelTops) {
        new TTopLine(this, y);
    }

    Button1 = new QPushButton(QStringLiteral("&OK"), this);
    Button1->setGeometry(129, 197, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    Button1->setFocus();
}

// The black ground is painted rather than set in a palette of the dialog's own: a new palette
// for each report would give the OK button a new key in the style's pixmap cache every game,
// and the cache would grow by a picture a game up to its limit.
void TWinnerForm::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), Qt::black);
}

QLabel* TWinnerForm::AddLabel(const QString& caption, int x, int y) {
    return Placed(new QLabel(caption, this), x, y);
}

QLabel* TWinnerForm::AddCaption(const QString& caption, int y) {
    auto* label = new TReportCaption(caption, this);
    Captions.push_back(label);
    return Placed(label, CaptionX, y);
}

QLabel* TWinnerForm::Placed(QLabel* label, int x, int y) {
    label->setStyleSheet(QStringLiteral("color: white"));
    label->move(x, y);
    label->adjustSize();
    return label;
}

// The colons stand one space after the longest caption's words.
void TWinnerForm::AlignColons() {
    int words = 0;
    for (const TReportCaption* caption : Captions) {
        words = std::max(words, caption->WordsWidth());
    }
    const int colonX = words + fontMetrics().horizontalAdvance(QLatin1Char(' '));
    for (TReportCaption* caption : Captions) {
        caption->SetColonX(colonX);
    }
}

void TWinnerForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!Opened) {
        Opened = true;
        FormShow();
        FormActivate();
    }
    Button1->setFocus();
}

void TWinnerForm::FormShow() {
    RandomizeFromTimeOfDay();
    if (const QScreen* screen = this->screen()) {
        move(CentredOnScreen(screen->geometry().size(), frameGeometry().size()));
    }
    Shown = GameReportNow();
    const std::pair<QLabel*, const QString*> figures[] = {
        {MovesDone, &Shown.MovesDone},       {TimeTaken, &Shown.TimeTaken},
        {HintsUsed, &Shown.HintsUsed},       {UndoUsed, &Shown.UndoUsed},
        {CommentsUsed, &Shown.CommentsUsed}, {SwitchedSides, &Shown.SwitchedSides},
        {WinnerName, &Shown.WinnerName}};
    for (const auto& [label, text] : figures) {
        label->setText(*text);
        label->adjustSize();
    }
    // A sound that cannot play leaves the report silent; the report shows regardless.
    if (Player != nullptr) {
        try {
            const QString winner =
                Shown.ComputerWon ? QString::fromLatin1(ComputerWinnerName) : Shown.WinnerName;
            PlayGameOverSound(*Player, winner, Shown.HumanComputer, Shown.SoundOn);
        } catch (const std::exception&) {
        }
    }
}

void TWinnerForm::FormActivate() {
    GameReportOpened();
    switch (Shown.Stone) {
    case TReportStone::None:
        WinnerColor->hide();
        break;
    case TReportStone::White:
        WinnerColor->SetColors(ColorFromValue(StoneAqua), Qt::black);
        WinnerColor->show();
        break;
    case TReportStone::Black:
        WinnerColor->SetColors(Qt::black, ColorFromValue(StoneAqua));
        WinnerColor->show();
        break;
    }
}

void TWinnerForm::FormClose() {
    GameReportClosed();
}

void TWinnerForm::done(int result) {
    if (Opened) {
        Opened = false;
        FormClose();
    }
    QDialog::done(result);
}

void TWinnerForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        close();
    } else if (!PressFocusedButton(*this, event)) {
        QDialog::keyPressEvent(event);
    }
}
