// What the options dialog's controls do while the user edits: stones, names, mode, bars, colours.
#include "ui/BoardPainter.h"
#include "ui/OptionsForm.h"
#include "ui/OptionsTrackBar.h"

#include "game/Ports.h"
#include "storage/SettingNames.h"
#include "widgets/RxDrawGrid.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <algorithm>

namespace {

// Pressing one stone button presses the other player's opposite stone.
void Couple(QToolButton* pressed, QToolButton* partner) {
    QObject::connect(pressed, &QToolButton::toggled, partner, [partner](bool down) {
        if (down) {
            partner->setChecked(true);
        }
    });
}

} // namespace

void TOptionsForm::ConnectBehaviours() {
    connect(Ctl.OKBtn, &QPushButton::clicked, this, &TOptionsForm::OKBtnClick);
    connect(Ctl.CancelBtn, &QPushButton::clicked, this, [this] {
        CancelBtnClick();
        reject();
    });
    connect(Ctl.HelpBtn, &QPushButton::clicked, this, &TOptionsForm::HelpBtnClick);
    CoupleStoneButtons();
    connect(Ctl.FirstPlayerEditBox, &QLineEdit::textChanged, this,
            &TOptionsForm::RefreshFirstLabel);
    connect(Ctl.SecondPlayerEditBox, &QLineEdit::textChanged, this,
            &TOptionsForm::RefreshSecondLabel);
    for (QLineEdit* box : {Ctl.FirstPlayerEditBox, Ctl.SecondPlayerEditBox}) {
        // Editing may shorten a long stored name, and typing never lengthens a name past the
        // limit or past what it was.
        connect(box, &QLineEdit::textEdited, box, [box] {
            box->setMaxLength(std::max(NameMaxLength, static_cast<int>(box->text().size())));
        });
    }
    connect(Ctl.HumanComputer, &QRadioButton::clicked, this, &TOptionsForm::HumanComputerClick);
    connect(Ctl.HumanHuman, &QRadioButton::clicked, this, &TOptionsForm::HumanHumanClick);
    connect(Ctl.WhoMovesFirst, &QPushButton::clicked, this, &TOptionsForm::WhoMovesFirstClick);
    connect(Ctl.TrackBar, &QSlider::valueChanged, this, &TOptionsForm::TrackBarChange);
    connect(Ctl.ReplayTrackBar, &QSlider::valueChanged, this, [](int v) { Live.ReplaySpeed = v; });
    connect(Ctl.AutoPlaytrackBar, &QSlider::valueChanged, this,
            [](int v) { Live.AutoPlaySpeed = v; });
    connect(Ctl.RandomGroup, &QButtonGroup::buttonClicked, this, &TOptionsForm::RandClick);
    const std::pair<const char*, void (TOptionsForm::*)()> colorButtons[] = {
        {"BoardColorBtn", &TOptionsForm::BoardColorBtnClick},
        {"HintColorBtn", &TOptionsForm::HintColorBtnClick},
        {"LastMoveBackgroudColorBtn", &TOptionsForm::LastMoveBackgroudColorBtnClick},
        {"DefaultColors", &TOptionsForm::DefaultColorsClick},
    };
    for (const auto& [name, handler] : colorButtons) {
        connect(findChild<QPushButton*>(QLatin1String(name)), &QPushButton::clicked, this, handler);
    }
    ConnectRulesPage();
    ConnectComputerPage();
    Ctl.PreviewGrid->SetOnDrawCell(
        [this](TRxDrawGrid&, QPainter& canvas, int col, int row, const QRect& rect,
               TGridDrawState) { PaintPreviewCell(canvas, rect, col, row, PreviewBoardColor); });
}

void TOptionsForm::CoupleStoneButtons() {
    Couple(Ctl.BlackPlayerSpeedButton, Ctl.WhiteMasterSpeedButton);
    Couple(Ctl.WhitePlayerSpeedButton, Ctl.BlackMasterSpeedButton);
    Couple(Ctl.WhiteMasterSpeedButton, Ctl.BlackPlayerSpeedButton);
    Couple(Ctl.BlackMasterSpeedButton, Ctl.WhitePlayerSpeedButton);
}

void TOptionsForm::RefreshFirstLabel() {
    const QString name = Ctl.FirstPlayerEditBox->text();
    Ctl.FirstPlayerLabel->setText(name.isEmpty() ? QLatin1String(DefaultFirstName) : name);
}

void TOptionsForm::RefreshSecondLabel() {
    const QString name = Ctl.SecondPlayerEditBox->text();
    Ctl.SecondPlayerLabel->setText(name.isEmpty() ? QLatin1String(DefaultSecondName) : name);
}

void TOptionsForm::HumanComputerClick() {
    Ctl.SecondPlayerEditBox->setEnabled(false);
    Ctl.SecondPlayerLabel->setText(ComputerNameText);
}

void TOptionsForm::HumanHumanClick() {
    Ctl.SecondPlayerEditBox->setEnabled(true);
    RefreshSecondLabel();
}

void TOptionsForm::WhoMovesFirstClick() {
    const bool firstIsFirst = Ctl.WhoMovesFirst->text() == QLatin1String(FirstPlayerIsFirst);
    Ctl.WhoMovesFirst->setText(
        QLatin1String(firstIsFirst ? SecondPlayerIsFirst : FirstPlayerIsFirst));
}

void TOptionsForm::TrackBarChange() {
    const int position = Ctl.TrackBar->value();
    Ctl.TrackBar->SetSelection(ADFactorOffset, position);
    Ctl.ADPanel->setText(QString::number(position - ADFactorOffset));
    Live.ADFactor = position - ADFactorOffset;
}

void TOptionsForm::RandClick(QAbstractButton* button) {
    Live.PendingRandomness = button->text().toInt() + 1;
    // Pressing the hidden button first leaves the clicked one the only one down.
    Ctl.SpeedButton12->setChecked(true);
    button->setChecked(true);
}

bool TOptionsForm::PickColor(TColorValue& picked) {
    const std::optional<TColorValue> color = Ports().PickColor(LastPickedColor);
    if (!color) {
        return false;
    }
    LastPickedColor = picked = *color;
    return true;
}

void TOptionsForm::RepaintPreview() {
    Ctl.PreviewGrid->Invalidate();
    Ctl.PreviewGrid->repaint();
}

void TOptionsForm::BoardColorBtnClick() {
    TColorValue color;
    if (PickColor(color)) {
        SetPreviewColor(color);
    }
}

void TOptionsForm::HintColorBtnClick() {
    if (PickColor(Live.PendingHintColor)) {
        RepaintPreview();
    }
}

void TOptionsForm::LastMoveBackgroudColorBtnClick() {
    if (!PickColor(Live.PendingLastMoveColor)) {
        return;
    }
    RepaintPreview();
    if (Live.LastMoveColor != Live.PendingLastMoveColor) {
        Live.LastMoveColorChanged = true;
    }
}

void TOptionsForm::DefaultColorsClick() {
    Live.PendingHintColor = ColorRed;
    Live.PendingLastMoveColor = ColorLime;
    if (Live.LastMoveColor != ColorLime) {
        Live.LastMoveColorChanged = true;
    }
    SetPreviewColor(ColorGray);
}

void TOptionsForm::SetPreviewColor(TColorValue color) {
    PreviewBoardColor = color;
    Ctl.PreviewGrid->SetFixedColor(ColorFromValue(color));
    Ctl.PreviewGrid->SetColor(ColorFromValue(color));
    RepaintPreview();
}
