// Qt dialogs behind the ports. Each dialog is created for one showing and freed when it closes.
#include "ui/MainPorts.h"

#include "resources/Artwork.h"
#include "ui/BoardPainter.h"
#include "ui/ExitForm.h"
#include "ui/MainForm.h"
#include "ui/ShowWinner.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

QString QtNameFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    if (parts.size() < 2) {
        return filter;
    }
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        filters << QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]);
    }
    return filters.join(QStringLiteral(";;"));
}

void ShowStopBox(QWidget* owner, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, owner);
    box.setIconPixmap(Artwork::MessageIcon(Artwork::TMessageIcon::Stop));
    box.exec();
}

bool TMainPorts::Confirm(const QString& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), question,
                    QMessageBox::NoButton, Owner);
    box.setIconPixmap(Artwork::MessageIcon(Artwork::TMessageIcon::Question));
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
}

void TMainPorts::ShowError(const QString& message) {
    ShowStopBox(Owner, QStringLiteral("Rennor"), WithFullStop(message));
}

bool TMainPorts::ConfirmExit() {
    TExitForm form(Owner);
    return form.exec() == QDialog::Accepted;
}

void TMainPorts::ShowGameReport() {
    TWinnerForm form(MainForm != nullptr ? MainForm->MediaPlayer1 : nullptr, Owner);
    form.exec();
}

std::optional<QString> TMainPorts::AskFileName(const TFileDialogSpec& request, bool saving) {
    QFileDialog dialog(Owner, request.Title);
    dialog.setNameFilter(QtNameFilter(request.Filter));
    // The game adds the extension in the case its files are written in, finds a file by either
    // case, and asks before it replaces one: the dialog hands over the name as typed.
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (const QString last = LastFileNames.value(request.Title); !last.isEmpty()) {
        dialog.selectFile(last);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen = dialog.selectedFiles().constFirst();
    LastFileNames.insert(request.Title, chosen);
    return chosen;
}

std::optional<QString> TMainPorts::AskSaveFileName(const TFileDialogSpec& dialog) {
    return AskFileName(dialog, true);
}

std::optional<QString> TMainPorts::AskOpenFileName(const TFileDialogSpec& dialog) {
    return AskFileName(dialog, false);
}

std::optional<TColorValue> TMainPorts::PickColor(TColorValue initial) {
    const QColor picked = QColorDialog::getColor(ColorFromValue(initial), Owner);
    if (!picked.isValid()) {
        return std::nullopt;
    }
    return ValueFromColor(picked);
}

TOpeningChoice TMainPorts::AskOpeningChoice(const QString& player, bool mayPlaceTwo) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Choose your colour"),
                    QStringLiteral("%1, choose your colour.").arg(player), QMessageBox::NoButton,
                    Owner);
    box.setIconPixmap(Artwork::MessageIcon(Artwork::TMessageIcon::Question));
    QPushButton* black = box.addButton(QStringLiteral("Play &black"), QMessageBox::AcceptRole);
    QPushButton* white = box.addButton(QStringLiteral("Play &white"), QMessageBox::AcceptRole);
    if (mayPlaceTwo) {
        box.addButton(QStringLiteral("Place &two more"), QMessageBox::AcceptRole);
    }
    box.setDefaultButton(white);
    // Closing the box is no answer: the game cannot go on until the colour is chosen.
    do {
        box.exec();
    } while (box.clickedButton() == nullptr);
    if (box.clickedButton() == black) {
        return TOpeningChoice::PlayBlack;
    }
    return box.clickedButton() == white ? TOpeningChoice::PlayWhite : TOpeningChoice::PlaceTwoMore;
}
