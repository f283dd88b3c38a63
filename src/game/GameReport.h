// What the game-over report shows, which commands it holds back while it is open, and how the
// board and the status bar show a won game.
#pragma once

#include <QString>
#include <utility>
#include <vector>

// The winner's stone as the report draws it: none after a tie.
enum class TReportStone { None, Black, White };

inline constexpr char TieGameName[] = "Tie Game";

// The report's texts, each as shown beside its caption.
struct TGameReport {
    QString WinnerName; // the name of the player who holds the winning colour, or "Tie Game"
    TReportStone Stone = TReportStone::None;
    QString MovesDone;
    QString TimeTaken; // the game clock as "hh:mm:ss"
    QString HintsUsed;
    QString UndoUsed;
    QString CommentsUsed;
    QString SwitchedSides;      // "Yes" or "No"
    bool HumanComputer = false; // the sound is played only against the computer
    bool ComputerWon = false;   // the computer's win has sounds of its own, whatever its name
    bool SoundOn = false;       // and with sound on
};

// The report of the game that has just ended, from the game, the play record, the game clock and
// the options dialog.
TGameReport GameReportNow();

// While the report is open: Auto Play, Replay, Undo and Redo are held back.
void GameReportOpened();
// When it closes: Auto Play and Replay come back; Undo and Redo wait for the next New Game.
void GameReportClosed();

// After the position changed: the squares of the five shown as won before (WinningSquares then)
// are repainted; a won game gets its five marked and the winner named in the status bar, and the
// status is cleared once a win that was shown is gone.
void ShowWinChange(const std::vector<std::pair<int, int>>& before);
