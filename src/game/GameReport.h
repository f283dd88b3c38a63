// What the game-over report shows and which commands it holds back while it is open.
#pragma once

#include <QString>

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
    bool SoundOn = false;       // and with sound on
};

// The report of the game that has just ended, from the game, the play record, the game clock and
// the options dialog.
TGameReport GameReportNow();

// While the report is open: Auto Play, Replay, Undo and Redo are held back.
void GameReportOpened();
// When it closes: Auto Play and Replay come back; Undo and Redo wait for the next New Game.
void GameReportClosed();
