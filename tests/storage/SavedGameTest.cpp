// The saved-game image and its hand-over to the running game.
#include "storage/SavedGame.h"
#include "BoardTestSupport.h"
#include "StorageTestSupport.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

namespace {

// The image is little-endian, as the build machine is.
std::int32_t Int32At(const TSavedGameBytes& b, std::size_t at) {
    std::int32_t v;
    std::memcpy(&v, &b[at], 4);
    return v;
}

std::size_t RecordAt(int move) {
    return 36 + 12 * static_cast<std::size_t>(move - 1);
}

using SavedGameTest = BoardTest;

TEST_F(SavedGameTest, AFinishedGameComesBackWithEveryFieldAtItsOffset) {
    // Black makes five along row 3 while white answers on row 4.
    Play({{1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 3}, {3, 4}, {4, 3}, {4, 4}, {5, 3}});
    const TGameState played = Game;
    // Undo, hints, comments used; sides switched; the clock; Undo, Redo enabled; human vs human.
    const TSavedPlay play(3, 7, 2, true, (12 * 60 + 5) / 86400.0, true, false, true);
    TSavedGameBytes image = EncodeSavedGame(CaptureSavedGame(Game, play));
    // Move count, latest move row first, undo, hints, comments; move 2's colour and square.
    EXPECT_EQ(std::tuple(Int32At(image, 0), Int32At(image, 4), Int32At(image, 8),
                         Int32At(image, 12), Int32At(image, 16), Int32At(image, 20)),
              std::tuple(9, 3, 5, 3, 7, 2));
    const std::size_t second = RecordAt(2);
    EXPECT_EQ(std::tuple(image[second], Int32At(image, second + 4), Int32At(image, second + 8)),
              std::tuple(WhiteStone, 1, 4));
    double clock;
    std::memcpy(&clock, &image[25], 8);
    EXPECT_EQ(clock, play.ElapsedTime);
    EXPECT_EQ(std::tuple(image[24], image[33], image[34], image[35]), std::tuple(1, 1, 0, 1));
    // Junk in each record's fill bytes and in every entry after the moves saves back unchanged.
    for (std::size_t i = 36; i < image.size(); ++i) {
        if (const std::size_t at = (i - 36) % 12; i >= RecordAt(10) || (at > 0 && at < 4)) {
            image[i] = static_cast<std::uint8_t>(i * 37 + 11);
        }
    }

    NewBoard();
    Play({{10, 10}, {11, 11}});
    const TSavedGame loaded = ParseSavedGame(image);
    InstallSavedMoves(loaded);
    EXPECT_EQ(std::memcmp(Game.Board, played.Board, sizeof Game.Board), 0);
    EXPECT_EQ(std::tuple(Game.MoveCount, Game.MovesRecorded, Game.LastMoveX, Game.LastMoveY,
                         Game.Winner, IsGameOver()),
              std::tuple(9, 9, 5, 3, BlackStone, true));
    EXPECT_EQ(EncodeSavedGame(CaptureSavedGame(Game, loaded.Play)), image);
}

// With no move on the board a stale first entry decides who moves, or else the first colour.
TEST_F(SavedGameTest, WithNoMoveAStaleFirstEntryOrTheFirstColourDecidesWhoMoves) {
    Play({{10, 10}, {11, 11}, {12, 12}});
    TSavedGame saved = CaptureSavedGame(Game, TSavedPlay{});
    saved.MoveCount = -5;
    saved.Moves[1].Color = WhiteStone;
    InstallSavedMoves(ParseSavedGame(EncodeSavedGame(saved)));
    EXPECT_EQ(std::tuple(Game.MoveCount, Game.MovesRecorded, Game.Board[10][10], Game.ColorToMove,
                         Game.UntouchedWindows),
              std::tuple(0, 0, NoStone, WhiteStone, 2 * WindowTotal));
    BoardHooks.FirstColor = [] { return WhiteStone; };
    InstallSavedMoves(ParseSavedGame(TSavedGameBytes{})); // saved straight after start-up
    EXPECT_EQ(Game.ColorToMove, WhiteStone);
}

TEST_F(SavedGameTest, ALatestMoveOffTheBoardIsNeverPainted) {
    std::vector<std::pair<int, int>> painted;
    BoardHooks.RepaintSquare = [&](int x, int y) { painted.emplace_back(x, y); };
    Play({{3, 3}, {4, 4}});
    TSavedGame saved = CaptureSavedGame(Game, TSavedPlay{});
    // On the board, the stored square is repainted as the old latest move.
    for (const auto& [square, repainted] : {std::pair{std::pair{50, -7}, false}, {{17, 2}, true}}) {
        std::tie(saved.LastMoveX, saved.LastMoveY) = square;
        painted.clear();
        InstallSavedMoves(ParseSavedGame(EncodeSavedGame(saved)));
        EXPECT_EQ(std::find(painted.begin(), painted.end(), square) != painted.end(), repainted);
        EXPECT_EQ(std::pair(Game.LastMoveX, Game.LastMoveY), std::pair(4, 4));
    }
}

// The reader's checks at their bounds: squares 1 to 19, counts from 0, a clock from 0 to a
// hundred years, at most a board of moves. Each row changes one field; "" is taken.
TEST_F(SavedGameTest, TheReaderTakesEachFieldUpToItsBoundsAndRefusesOneStepBeyond) {
    Play({{10, 10}, {11, 11}});
    const double nan = std::numeric_limits<double>::quiet_NaN(), top = MaxSavedClockDays;
    const char* const range = "Range check error";
    const char* const clock = "clock is not a valid time";
    const std::pair<std::function<void(TSavedGame&)>, const char*> rows[] = {
        {[](TSavedGame&) {}, ""},
        {[](auto& g) { g.Moves[2].X = 0; }, range},
        {[](auto& g) { g.Moves[2].X = 1; }, ""},
        {[](auto& g) { g.Moves[2].Y = 19; }, ""},
        {[](auto& g) { g.Moves[2].Y = 20; }, range},
        {[](auto& g) { g.Moves[2].Y = 0; }, range},
        {[](auto& g) { g.Moves[2].X = 20; }, range},
        {[](auto& g) { g.MoveCount = MaxMoves + 1; }, range},
        {[](auto& g) { g.Play.UndoUsedCount = -1; }, "negative undo count"},
        {[](auto& g) { g.Play.HintsUsedCount = -1; }, "negative hint count"},
        {[](auto& g) { g.Play.CommentsUsedCount = -1; }, "negative comment count"},
        {[](auto& g) { g.Play.ElapsedTime = -1e-9; }, clock},
        {[top](auto& g) { g.Play.ElapsedTime = top; }, ""},
        {[top](auto& g) { g.Play.ElapsedTime = top + 1e-6; }, clock},
        {[nan](auto& g) { g.Play.ElapsedTime = nan; }, clock}};
    int row = 0;
    for (const auto& [change, refusal] : rows) {
        TSavedGame changed = CaptureSavedGame(Game, TSavedPlay{});
        change(changed);
        const QString seen = ErrorOf([&] { CheckSavedGame(changed); });
        EXPECT_TRUE(*refusal ? seen.contains(refusal) : seen.isEmpty())
            << "row " << row++ << ": " << seen.toStdString();
    }
}

} // namespace
