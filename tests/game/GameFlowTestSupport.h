// A clean game flow per test: scripted ports, options from a plain struct, a recording view, and
// a computer player installed for a scope.
#pragma once

#include "core/LiveSettings.h"
#include "core/Rules.h"
#include "game/ComputerTurn.h"
#include "game/DialogOptions.h"
#include "game/GameFlow.h"
#include "game/MainView.h"
#include "game/ScriptedPorts.h"
#include "game/StoredOptions.h"
#include "players/ComputerPlayer.h"

#include <gtest/gtest.h>
#include <map>
#include <vector>

struct TPlainOptions final : TDialogOptions {
    bool Computer = true;
    QString WhoFirst = QStringLiteral("1st Player is First");
    bool FirstWhite = true;
    bool HumanComputer() const override { return Computer; }
    QString WhoMovesFirstCaption() const override { return WhoFirst; }
    bool WhitePlayerDown() const override { return FirstWhite; }
    bool WhiteMasterDown() const override { return !FirstWhite; }
    QString FirstPlayerLabel() const override { return QStringLiteral("Ann"); }
    QString SecondPlayerLabel() const override {
        return Computer ? QStringLiteral("Rennor King") : QStringLiteral("Bob");
    }
    bool MusicChecked() const override { return false; }
    bool SoundChecked() const override { return false; }
    TGameRules Rules;
    TGameRules ChosenRules() const override { return Rules; }
};

struct TRecordingView final : TMainView {
    std::vector<std::pair<int, int>> Repainted;
    int MovesShown = -1;
    double Elapsed = -1;
    std::map<TCommand, bool> Enabled;
    QString Status;
    std::pair<int, int> Flashed;
    void RepaintSquare(int X, int Y) override { Repainted.emplace_back(X, Y); }
    void ShowMovesDone(int moveCount) override { MovesShown = moveCount; }
    void ShowTimeElapsed(double days) override { Elapsed = days; }
    double ElapsedShown() const override { return Elapsed; }
    void EnableCommand(TCommand command, bool enabled) override { Enabled[command] = enabled; }
    bool CommandEnabled(TCommand command) const override { return Enabled.at(command); }
    void ClearStatusText() override {}
    void ShowStatusText(const QString& text) override { Status = text; }
    std::pair<QString, QString> Names; // white, black
    void ShowPlayerNames(const QString& white, const QString& black) override {
        Names = {white, black};
    }
    void FlashHintSquare(int X, int Y) override { Flashed = {X, Y}; }
    void QuitHelp() override {}
};

// The computer player the game flow asks while this exists.
struct TInstalled {
    explicit TInstalled(TComputerPlayer& player) { InstallComputerPlayer(&player); }
    ~TInstalled() { InstallComputerPlayer(nullptr); }
};

class GameFlowTest : public testing::Test {
protected:
    TScriptedPorts Ports;
    TPlainOptions Options;
    TRecordingView View;
    bool StoredHumanHumanValue = false;

    void SetUp() override {
        ResetGameState();
        ResetPlayRecord();
        Live = TLiveSettings{};
        InstallDialogOptions(&Options);
        InstallMainView(&View);
        StoredOptionReaders.HumanHuman = [this] { return StoredHumanHumanValue; };
        StoredOptionReaders.WhoIsFirst = [] { return QStringLiteral("1st Player is First"); };
        InstallGameFlow();
        NewGame1Click(false);
    }
    void TearDown() override {
        StoredOptionReaders = {};
        InstallMainView(nullptr);
        InstallDialogOptions(nullptr);
    }
};
