// Scripted answers for tests: take the next answer from its queue and remember the question.
#include "game/ScriptedPorts.h"

namespace {

template <typename T, typename D> T TakeFront(std::deque<T>& queue, const D& fallback) {
    T answer = fallback;
    if (!queue.empty()) {
        answer = std::move(queue.front());
        queue.pop_front();
    }
    return answer;
}

} // namespace

bool TScriptedPorts::Confirm(const QString& question) {
    Questions << question;
    return TakeFront(ConfirmAnswers, DefaultConfirm);
}

void TScriptedPorts::ShowError(const QString& message) {
    Errors << WithFullStop(message);
}

bool TScriptedPorts::ConfirmExit() {
    ++ExitQuestions;
    return TakeFront(ExitAnswers, DefaultExit);
}

void TScriptedPorts::ShowGameReport() {
    ++GameReports;
}

std::optional<QString> TScriptedPorts::NextFileName(const TFileDialogSpec& dialog) {
    FileDialogTitles << dialog.Title;
    return TakeFront(FileNames, std::optional<QString>{});
}

std::optional<QString> TScriptedPorts::AskSaveFileName(const TFileDialogSpec& dialog) {
    return NextFileName(dialog);
}

std::optional<QString> TScriptedPorts::AskOpenFileName(const TFileDialogSpec& dialog) {
    return NextFileName(dialog);
}

std::optional<TColorValue> TScriptedPorts::PickColor(TColorValue initial) {
    ColorPickerStarts.push_back(initial);
    return TakeFront(Colors, std::optional<TColorValue>{});
}

TOpeningChoice TScriptedPorts::AskOpeningChoice(const QString& player, bool mayPlaceTwo) {
    OpeningChoosers << (mayPlaceTwo ? player + QStringLiteral(", may place two") : player);
    return TakeFront(OpeningChoices, DefaultOpeningChoice);
}
