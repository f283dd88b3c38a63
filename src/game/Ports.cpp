// The installed ports and the silent defaults used until the windows install theirs.
#include "game/Ports.h"

namespace {

class TSilentPorts final : public TPorts {
public:
    bool Confirm(const QString&) override { return true; }
    void ShowError(const QString&) override {}
    bool ConfirmExit() override { return true; }
    void ShowGameReport() override {}
    std::optional<QString> AskSaveFileName(const TFileDialogSpec&) override { return std::nullopt; }
    std::optional<QString> AskOpenFileName(const TFileDialogSpec&) override { return std::nullopt; }
    std::optional<TColorValue> PickColor(TColorValue) override { return std::nullopt; }
};

TSilentPorts SilentPorts;
TPorts* InstalledPorts = nullptr;

} // namespace

TPorts& Ports() {
    return InstalledPorts ? *InstalledPorts : SilentPorts;
}

void InstallPorts(TPorts* ports) {
    InstalledPorts = ports;
}

QString WithFullStop(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) {
        return message + QLatin1Char('.');
    }
    return message;
}
