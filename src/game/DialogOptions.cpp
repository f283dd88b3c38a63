// The installed dialog-held options, the defaults of a first run, and the first colour.
#include "game/DialogOptions.h"
#include "storage/SettingNames.h"

namespace {

class TDefaultOptions final : public TDialogOptions {
public:
    bool HumanComputer() const override { return true; }
    QString WhoMovesFirstCaption() const override { return FirstPlayerIsFirst; }
    bool WhitePlayerDown() const override { return true; }
    bool WhiteMasterDown() const override { return false; }
    QString FirstPlayerLabel() const override { return QStringLiteral("Player 1"); }
    QString SecondPlayerLabel() const override { return ComputerName; }
    bool MusicChecked() const override { return false; }
    bool SoundChecked() const override { return false; }
};

const TDefaultOptions DefaultOptions;
const TDialogOptions* InstalledOptions = nullptr;

} // namespace

const TDialogOptions& DialogOptions() {
    return InstalledOptions ? *InstalledOptions : DefaultOptions;
}

void InstallDialogOptions(const TDialogOptions* options) {
    InstalledOptions = options;
}

TStoneColor FirstColorFromOptions() {
    const TDialogOptions& o = DialogOptions();
    if (o.WhoMovesFirstCaption() == QLatin1String(FirstPlayerIsFirst)) {
        return o.WhitePlayerDown() ? WhiteStone : BlackStone;
    }
    return o.WhiteMasterDown() ? WhiteStone : BlackStone;
}
