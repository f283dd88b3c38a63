// The saved-game image and its hand-over to the running game.
#include "storage/SavedGame.h"
#include "BoardTestSupport.h"
#include "storage/StorageError.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

std::int32_t Int32At(const TSavedGameBytes& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        v |= std::uint32_t{b[at + i]} << (8 * i);
    }
    return static_cast<std::int32_t>(v);
}

void PutInt32(TSavedGameBytes& b, std::size_t at, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

std::size_t RecordAt(int move) {
    return 36 + 12 * static_cast<std::size_t>(move - 1);
}

QString ParseError(const TSavedGameBytes& bytes) {
    try {
        ParseSavedGame(bytes);
    } catch (const EStorageError& e) {
        return e.Text();
    }
    return {};
}

class SavedGameTest : public BoardTest {
protected:
    // Black makes five along row 3 while white answers on row 4.
    static void PlayFinishedGame() {
        Play({{1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 3}, {3, 4}, {4, 3}, {4, 4}, {5, 3}});
        ASSERT_TRUE(IsGameOver());
    }

    static TSavedPlay SomePlay() {
        TSavedPlay p;
        p.UndoUsedCount = 3;
        p.HintsUsedCount = 7;
        p.CommentsUsedCount = 2;
        p.SidesSwitched = true;
        p.ElapsedTime = (12 * 60 + 5) / 86400.0;
        p.UndoEnabled = true;
        p.RedoEnabled = false;
        p.HumanHuman = true;
        return p;
    }
};

TEST_F(SavedGameTest, NewGameImage) {
    const TSavedGameBytes b = EncodeSavedGame(CaptureSavedGame(Game, TSavedPlay{}));
    EXPECT_EQ(b.size(), 4368u);
    EXPECT_EQ(Int32At(b, 0), 0);
    EXPECT_EQ(Int32At(b, 4), -1);
    EXPECT_EQ(Int32At(b, 8), -1);
    EXPECT_TRUE(std::all_of(b.begin() + 12, b.end(), [](std::uint8_t x) { return x == 0; }));
}

TEST_F(SavedGameTest, FieldsLandAtTheirOffsets) {
    PlayFinishedGame();
    const TSavedGameBytes b = EncodeSavedGame(CaptureSavedGame(Game, SomePlay()));
    EXPECT_EQ(Int32At(b, 0), 9);
    EXPECT_EQ(Int32At(b, 4), 3); // latest move: row first
    EXPECT_EQ(Int32At(b, 8), 5);
    EXPECT_EQ(Int32At(b, 12), 3);
    EXPECT_EQ(Int32At(b, 16), 7);
    EXPECT_EQ(Int32At(b, 20), 2);
    EXPECT_EQ(b[24], 1);
    double clock;
    std::memcpy(&clock, &b[25], 8); // the build machine is little-endian
    EXPECT_EQ(clock, SomePlay().ElapsedTime);
    EXPECT_EQ(b[33], 1);
    EXPECT_EQ(b[34], 0);
    EXPECT_EQ(b[35], 1);
    EXPECT_EQ(b[RecordAt(2)], WhiteStone);
    EXPECT_EQ(Int32At(b, RecordAt(2) + 4), 1);
    EXPECT_EQ(Int32At(b, RecordAt(2) + 8), 4);
}

TEST_F(SavedGameTest, FinishedGameComesBack) {
    PlayFinishedGame();
    const TGameState played = Game;
    const TSavedGameBytes image = EncodeSavedGame(CaptureSavedGame(Game, SomePlay()));

    NewBoard();
    Play({{10, 10}, {11, 11}});
    const TSavedGame loaded = ParseSavedGame(image);
    InstallSavedMoves(loaded);

    EXPECT_EQ(std::memcmp(Game.Board, played.Board, sizeof Game.Board), 0);
    EXPECT_EQ(Game.MoveCount, 9);
    EXPECT_EQ(Game.MovesRecorded, 9);
    EXPECT_EQ(Game.LastMoveX, 5);
    EXPECT_EQ(Game.LastMoveY, 3);
    EXPECT_TRUE(Game.FiveMade);
    EXPECT_EQ(Game.Winner, BlackStone);
    EXPECT_TRUE(IsGameOver());
    EXPECT_EQ(loaded.Play.HintsUsedCount, 7);
    EXPECT_EQ(loaded.Play.ElapsedTime, SomePlay().ElapsedTime);
    EXPECT_TRUE(loaded.Play.HumanHuman);
    EXPECT_EQ(EncodeSavedGame(CaptureSavedGame(Game, loaded.Play)), image);
}

TEST_F(SavedGameTest, FillBytesAndStaleEntriesSaveBackUnchanged) {
    // Three moves on the board, then junk of every kind that is never replayed.
    TSavedGameBytes image{};
    for (std::size_t i = 36; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    PutInt32(image, 0, 3);
    PutInt32(image, 4, 7); // the latest move, (9, 7)
    PutInt32(image, 8, 9);
    const int squares[3][2] = {{7, 7}, {8, 8}, {9, 7}};
    for (int m = 1; m <= 3; ++m) {
        image[RecordAt(m)] = m % 2 == 1 ? BlackStone : WhiteStone;
        PutInt32(image, RecordAt(m) + 4, squares[m - 1][0]);
        PutInt32(image, RecordAt(m) + 8, squares[m - 1][1]);
    }
    InstallSavedMoves(ParseSavedGame(image));
    EXPECT_EQ(Game.ColorToMove, WhiteStone);
    EXPECT_EQ(Game.Board[9][7], BlackStone);
    EXPECT_EQ(EncodeSavedGame(CaptureSavedGame(Game, TSavedPlay{})), image);
}

TEST_F(SavedGameTest, RejectionsLeaveTheGameAlone) {
    Play({{10, 10}, {11, 11}, {12, 12}});
    TSavedGame good = CaptureSavedGame(Game, TSavedPlay{});
    const TGameState before = Game;

    auto imageWith = [&](auto change) {
        TSavedGame g = good;
        change(g);
        return EncodeSavedGame(g);
    };
    const struct {
        TSavedGameBytes Image;
        const char* Error;
    } cases[] = {
        {imageWith([](TSavedGame& g) { g.MoveCount = 362; }), "Range check error"},
        {imageWith([](TSavedGame& g) { g.Moves[2].X = 0; }), "Range check error"},
        {imageWith([](TSavedGame& g) { g.Moves[3].Y = 20; }), "Range check error"},
        {imageWith([](TSavedGame& g) { g.Moves[1].X = -1; }), "Range check error"},
        {imageWith([](TSavedGame& g) { g.Moves[2].Color = NoStone; }),
         "Move 2 of the saved game has no stone colour"},
        {imageWith([](TSavedGame& g) { g.Moves[3].Color = 3; }),
         "Move 3 of the saved game has no stone colour"},
        {imageWith([](TSavedGame& g) { g.Moves[3] = g.Moves[1]; }),
         "Move 3 of the saved game is on square 10:10, which is taken"},
        {imageWith([](TSavedGame& g) { g.Play.ElapsedTime = std::nan(""); }),
         "The saved game clock is not a valid time"},
        {imageWith([](TSavedGame& g) { g.Play.ElapsedTime = -INFINITY; }),
         "The saved game clock is not a valid time"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseError(c.Image), c.Error);
        EXPECT_THROW(InstallSavedMoves(DecodeSavedGame(c.Image)), EStorageError);
        EXPECT_EQ(std::memcmp(Game.Board, before.Board, sizeof Game.Board), 0);
        EXPECT_EQ(Game.MoveCount, 3);
        EXPECT_EQ(Game.MovesRecorded, 3);
        EXPECT_EQ(Game.ColorToMove, WhiteStone);
    }

    const TSavedGameBytes whole = EncodeSavedGame(good);
    EXPECT_THROW(DecodeSavedGame(std::span(whole).first(4367)), EStorageError);
    EXPECT_THROW(DecodeSavedGame({}), EStorageError);
    // Entries past the move count are never looked at.
    EXPECT_EQ(ParseError(imageWith([](TSavedGame& g) { g.Moves[4].Color = 9; })), "");
}

TEST_F(SavedGameTest, ZeroOrNegativeMoveCountIsAnEmptyBoard) {
    Play({{10, 10}, {11, 11}});
    TSavedGame saved = CaptureSavedGame(Game, TSavedPlay{});
    saved.MoveCount = -5;
    saved.Moves[1].Color = WhiteStone; // a stale first entry decides who moves
    InstallSavedMoves(ParseSavedGame(EncodeSavedGame(saved)));
    EXPECT_EQ(Game.MoveCount, 0);
    EXPECT_EQ(Game.MovesRecorded, 0);
    EXPECT_EQ(Game.Board[10][10], NoStone);
    EXPECT_EQ(Game.ColorToMove, WhiteStone);
    EXPECT_EQ(Game.UntouchedWindows, 2 * WindowTotal);
}

TEST_F(SavedGameTest, AnUnplayedListGivesTheMoveToTheFirstColour) {
    // Saved straight after start-up: every entry empty.
    BoardHooks.FirstColor = [] { return WhiteStone; };
    InstallSavedMoves(ParseSavedGame(TSavedGameBytes{}));
    EXPECT_EQ(Game.ColorToMove, WhiteStone);
    MakeMove(10, 10);
    EXPECT_EQ(Game.Board[10][10], WhiteStone);
}

TEST_F(SavedGameTest, ALatestMoveOffTheBoardIsNeverPainted) {
    std::vector<std::pair<int, int>> painted;
    BoardHooks.RepaintSquare = [&](int x, int y) { painted.emplace_back(x, y); };
    Play({{3, 3}, {4, 4}});
    TSavedGame saved = CaptureSavedGame(Game, TSavedPlay{});
    saved.LastMoveX = 50;
    saved.LastMoveY = -7;
    painted.clear();
    InstallSavedMoves(ParseSavedGame(EncodeSavedGame(saved)));
    for (auto [x, y] : painted) {
        EXPECT_TRUE(OnBoard(x, y) || (x == -1 && y == -1)) << x << "," << y;
    }
    EXPECT_EQ(Game.LastMoveX, 4);
    EXPECT_EQ(Game.LastMoveY, 4);

    // On the board, the stored square is repainted as the old latest move.
    saved.LastMoveX = 17;
    saved.LastMoveY = 2;
    painted.clear();
    InstallSavedMoves(saved);
    EXPECT_NE(std::find(painted.begin(), painted.end(), std::pair{17, 2}), painted.end());
}

} // namespace
