// The checks every decoded record passes before anything else looks at it.
#include "storage/GameRecord.h"

#include "storage/StorageError.h"

#include <QString>

namespace {

std::string MoveName(std::size_t index) {
    return "Move " + std::to_string(index + 1) + " of the record";
}

void CheckMove(const TGameRecord& record, std::size_t i, std::vector<int>& takenBy) {
    const TRecordMove& m = record.Moves[i];
    const std::string size = std::to_string(record.Size);
    if (m.X < 1 || m.X > record.Size || m.Y < 1 || m.Y > record.Size) {
        RecordError(MoveName(i) + " (" + RecordSquareName(m.X, m.Y) + ") is off the " + size + "x" +
                    size + " board");
    }
    if (!IsStoneColor(m.Color)) {
        RecordError(MoveName(i) + " has no stone colour");
    }
    if (i > 0 && m.Color == record.Moves[i - 1].Color) {
        RecordError(MoveName(i) + " is " + RecordColourName(m.Color) +
                    "'s, as was the move before it");
    }
    int& taken = takenBy[(m.Y - 1) * record.Size + (m.X - 1)];
    if (taken != 0) {
        RecordError(MoveName(i) + " is on square " + RecordSquareName(m.X, m.Y) + ", where move " +
                    std::to_string(taken) + " stands");
    }
    taken = static_cast<int>(i + 1);
    CheckRecordValueLength(m.Comment, MaxRecordCommentBytes, "The comment of " + MoveName(i));
}

} // namespace

void RecordError(const std::string& text) {
    throw EStorageError(QString::fromStdString(text));
}

void CheckRecordBoardSize(int width, int height) {
    if (width != height || !IsPlayedSize(width)) {
        const auto played = [](int n) { return std::to_string(n) + "x" + std::to_string(n); };
        RecordError("The record's board is " + std::to_string(width) + "x" +
                    std::to_string(height) + "; Rennor plays on " + played(SmallBoardSize) +
                    " and " + played(LargeBoardSize) + " boards");
    }
}

void CheckRecordValueLength(std::string_view value, std::size_t limit, std::string_view what) {
    if (value.size() > limit) {
        RecordError(std::string(what) + " is longer than " + std::to_string(limit) + " bytes");
    }
}

void CheckGameRecord(const TGameRecord& record) {
    CheckRecordBoardSize(record.Size, record.Size);
    CheckRecordValueLength(record.BlackName, MaxRecordNameBytes, "Black's name");
    CheckRecordValueLength(record.WhiteName, MaxRecordNameBytes, "White's name");
    CheckRecordValueLength(record.Date, MaxRecordNameBytes, "The date");
    CheckRecordValueLength(record.Comment, MaxRecordCommentBytes, "The comment on the game");
    std::vector<int> takenBy(static_cast<std::size_t>(record.Size * record.Size), 0);
    for (std::size_t i = 0; i < record.Moves.size(); ++i) {
        CheckMove(record, i, takenBy);
    }
}

std::string RecordColourName(TStoneColor color) {
    return color == BlackStone ? "black" : "white";
}

std::string RecordSquareName(int x, int y) {
    return std::to_string(x) + ":" + std::to_string(y);
}
