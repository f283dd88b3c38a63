// Words for the board, read from the game state after each move.
#include "ui/BoardSpeech.h"

#include "core/Rules.h"
#include "game/GameRules.h"

namespace {

QString ColorWord(TStoneColor stone) {
    return stone == BlackStone ? QStringLiteral("black") : QStringLiteral("white");
}

// The last move: "black 08:12".
QString LastMoveText() {
    if (!OnBoard(Game.LastMoveX, Game.LastMoveY)) {
        return QString();
    }
    return ColorWord(Game.Board[Game.LastMoveX][Game.LastMoveY]) + QLatin1Char(' ') +
           SquareName(Game.LastMoveX, Game.LastMoveY);
}

// Read without IsGameOver, which would mark the game finished as a side effect.
QString ResultText(const QString& whiteName, const QString& blackName) {
    if (Game.FiveMade) {
        const bool white = Game.Winner == WhiteStone;
        return QStringLiteral("game over, %1 wins with %2")
            .arg(white ? whiteName : blackName, ColorWord(Game.Winner));
    }
    return IsTie() ? QStringLiteral("game over, tie game") : QString();
}

} // namespace

QString SquareName(int X, int Y) {
    return QStringLiteral("%1:%2").arg(X, 2, 10, QLatin1Char('0')).arg(Y, 2, 10, QLatin1Char('0'));
}

QString SquareText(int X, int Y) {
    if (!OnPlayedBoard(X, Y)) {
        return QString();
    }
    QString text = SquareName(X, Y);
    switch (Game.Board[X][Y]) {
    case NoStone:
        return text + (ForbiddenReason(X, Y).isEmpty() ? QStringLiteral(", empty")
                                                       : QStringLiteral(", forbidden"));
    case BlackStone:
        text += QStringLiteral(", black stone");
        break;
    default:
        text += QStringLiteral(", white stone");
        break;
    }
    if (X == Game.LastMoveX && Y == Game.LastMoveY) {
        text += QStringLiteral(", last move");
    }
    return text;
}

QString MovesNews(int before, int after, const QString& whiteName, const QString& blackName) {
    if (after == 0) {
        return QStringLiteral("new game");
    }
    QString news = after == before + 1
                       ? LastMoveText()
                       : QStringLiteral("%1 moves, last %2").arg(after).arg(LastMoveText());
    if (const QString result = ResultText(whiteName, blackName); !result.isEmpty()) {
        news += QStringLiteral(", ") + result;
    }
    return news;
}
