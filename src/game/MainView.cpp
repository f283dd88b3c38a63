// The installed main view, and the one that shows nothing until the main window exists.
#include "game/MainView.h"

namespace {

class TNoView final : public TMainView {
public:
    void RepaintSquare(int, int) override {}
    void ShowMovesDone(int) override {}
    void ShowTimeElapsed(double days) override { Elapsed = days; }
    double ElapsedShown() const override { return Elapsed; }
    void EnableCommand(TCommand, bool) override {}
    bool CommandEnabled(TCommand) const override { return true; }
    void ClearStatusText() override {}
    void ShowStatusText(const QString&) override {}
    void ShowPlayerNames(const QString&, const QString&) override {}
    void FlashHintSquare(int, int) override {}
    void QuitHelp() override {}

private:
    double Elapsed = 0;
};

TNoView NoView;
TMainView* InstalledView = nullptr;

} // namespace

TMainView& MainView() {
    return InstalledView ? *InstalledView : NoView;
}

void InstallMainView(TMainView* view) {
    InstalledView = view;
}
