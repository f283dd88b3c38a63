// The real main window and options dialog offscreen, over a private settings file, with scripted
// answers to every question and the real game-over report, which closes itself once looked at.
#pragma once

#include "MainFormTestSupport.h"

#include "core/LiveSettings.h"
#include "core/Rules.h"
#include "game/MainView.h"
#include "game/PlayRecord.h"
#include "game/ScriptedPorts.h"
#include "storage/SavedGameFile.h"
#include "ui/MainForm.h"
#include "ui/OptionsForm.h"
#include "ui/ShowWinner.h"
#include "widgets/Digits.h"
#include "widgets/RxDrawGrid.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <vector>

// What the game-over report showed while it was open.
struct TReportSeen {
    QString Title;
    QSize ClientSize;
    QString Winner, Moves, Time, Hints, Undo, Comments, Switched;
    std::vector<std::pair<QPoint, QString>> Captions; // the left-hand labels, top to bottom
    bool StoneShown = false;
    QColor StoneBrush, StonePen;
    QImage Picture;
    std::map<TCommand, bool> EnabledWhileOpen;
};

// A saved game of these moves, black first, with Undo and Redo enabled.
inline void WriteGameFile(const QString& path, std::initializer_list<std::pair<int, int>> squares,
                          bool humanHuman = false) {
    TSavedGame saved;
    TStoneColor c = BlackStone;
    for (auto [x, y] : squares) {
        saved.Moves[++saved.MoveCount] = TMoveRecord{c, x, y};
        saved.LastMoveX = x;
        saved.LastMoveY = y;
        c = Opponent(c);
    }
    saved.Play.UndoEnabled = saved.Play.RedoEnabled = true;
    saved.Play.HumanHuman = humanHuman;
    WriteSavedGame(path, saved);
}

// Scripted answers for questions and files; the report is the real TWinnerForm.
class TReportPorts final : public TPorts {
public:
    TScriptedPorts Scripted;
    std::vector<TReportSeen> Reports;
    bool CloseWithEnter = false; // else Esc

    TReportPorts() { InstallPorts(this); }
    ~TReportPorts() override { InstallPorts(nullptr); }

    bool Confirm(const QString& question) override { return Scripted.Confirm(question); }
    void ShowError(const QString& message) override { Scripted.ShowError(message); }
    bool ConfirmExit() override { return Scripted.ConfirmExit(); }
    void ShowGameReport() override;
    std::optional<QString> AskSaveFileName(const TFileDialogSpec& dialog) override {
        Specs.push_back(dialog);
        return Scripted.AskSaveFileName(dialog);
    }
    std::optional<QString> AskOpenFileName(const TFileDialogSpec& dialog) override {
        Specs.push_back(dialog);
        return Scripted.AskOpenFileName(dialog);
    }
    std::optional<TColorValue> PickColor(TColorValue initial) override {
        return Scripted.PickColor(initial);
    }

    std::vector<TFileDialogSpec> Specs;
};

class CommandsWindowTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        // Quiet games without pauses.
        Store("SOUND", QStringLiteral("0"));
        Store("AUTOPLAY SPEED", QStringLiteral("9"));
        Store("REPLAY SPEED", QStringLiteral("9"));
    }
    void TearDown() override {
        Ports.reset();
        MainFormTest::TearDown();
    }

    // Opens the main window as start-up does (settings loaded, first game started), then answers
    // for it.
    void Open() {
        Start();
        Ports = std::make_unique<TReportPorts>();
        Answers = &Ports->Scripted;
    }
    static QString Stored(const char* name) {
        Raw().sync();
        return Raw().value(QLatin1String(name)).toString();
    }
    TMainForm* MainWindow() const { return Form.get(); }
    const TMainMenuItems& Items() const { return Form->Menu; }

    // Runs action once the command under test pumps events, after ms milliseconds.
    static void During(const std::function<void()>& action, int ms = 0) {
        QTimer::singleShot(ms, action);
    }
    int MovesShown() const { return Form->MovesDone->Value(); }
    static bool Enabled(QAction* item) { return item->isEnabled(); }
    // Pixels of the board with exactly this colour, as the board stands on the screen.
    int BoardPixelsOf(const QColor& color) const {
        const QImage image = Board();
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                n += image.pixelColor(x, y).rgb() == color.rgb();
            }
        }
        return n;
    }

    std::unique_ptr<TReportPorts> Ports;
    TScriptedPorts* Answers = nullptr; // Ports->Scripted
};

// Implementations, inline: only *Test.cpp files join the test program.

inline void TReportPorts::ShowGameReport() {
    Scripted.ShowGameReport();
    TWinnerForm form(MainForm ? MainForm->MediaPlayer1 : nullptr, MainForm);
    QTimer::singleShot(0, &form, [this, &form] {
        TReportSeen seen;
        seen.Title = form.windowTitle();
        seen.ClientSize = form.size();
        seen.Winner = form.WinnerName->text();
        seen.Moves = form.MovesDone->text();
        seen.Time = form.TimeTaken->text();
        seen.Hints = form.HintsUsed->text();
        seen.Undo = form.UndoUsed->text();
        seen.Comments = form.CommentsUsed->text();
        seen.Switched = form.SwitchedSides->text();
        for (QLabel* label :
             {form.Label2, form.Label3, form.Label5, form.Label6, form.Label4, form.Label1}) {
            seen.Captions.emplace_back(label->pos(), label->text());
        }
        seen.StoneShown = form.WinnerColor->isVisible();
        seen.StoneBrush = form.WinnerColor->BrushColor();
        seen.StonePen = form.WinnerColor->PenColor();
        seen.Picture = form.grab().toImage();
        for (TCommand c : {TCommand::Undo, TCommand::Redo, TCommand::AutoPlay, TCommand::Replay}) {
            seen.EnabledWhileOpen[c] = MainView().CommandEnabled(c);
        }
        Reports.push_back(seen);
        QTest::keyClick(&form, CloseWithEnter ? Qt::Key_Return : Qt::Key_Escape);
    });
    form.exec();
}
