// SGF and PSQ records: round trips, records as other programs write them, and bad records refused.
#include "StorageTestSupport.h"
#include "storage/RecordFile.h"

#include <QTemporaryDir>

namespace {

using enum TRecordFormat;

// A record on one line, so a table can say what a file must read as: size, rule, names, result,
// date, game comment, then the moves with their comments and times.
std::string Summary(const TGameRecord& r) {
    static const char* const outcomes[] = {"?", "B+", "W+", "draw"};
    static const char* const ways[] = {"", "R", "T", "F"};
    static const char* const rules[] = {"freestyle", "standard", "", "", "renju"};
    std::string s = std::to_string(r.Size) + " " + rules[static_cast<int>(r.Rule)] + " " +
                    r.BlackName + "/" + r.WhiteName + " " + outcomes[static_cast<int>(r.Outcome)] +
                    ways[static_cast<int>(r.WinBy)] + (r.Date.empty() ? "" : " " + r.Date) + " {" +
                    r.Comment + "} |";
    for (const TRecordMove& m : r.Moves) {
        s += std::string(" ") + (m.Color == BlackStone ? "B" : "W") + RecordSquareName(m.X, m.Y);
        s += m.TimeMs ? "@" + std::to_string(*m.TimeMs) : "";
        s += m.Comment.empty() ? "" : "{" + m.Comment + "}";
    }
    return s;
}

// A game on a board of size: both corners, the centre and a move beside each, in turn.
TGameRecord Sample(int size, TRule rule, bool timed) {
    TGameRecord r(size, rule, "Ann [1]", "Bob\\", TOutcome::WhiteWon, TWinBy::Time, "2024-05-31",
                  "A game\nof two lines", {});
    const int c = (size + 1) / 2;
    const std::pair<int, int> squares[] = {{1, 1}, {size, size}, {c, c}, {c + 1, c}, {1, size}};
    for (const auto& [x, y] : squares) {
        const TStoneColor color = r.Moves.size() % 2 == 0 ? BlackStone : WhiteStone;
        r.Moves.push_back({x, y, color, {}, {}});
        if (timed) {
            r.Moves.back().TimeMs = 1000 * x + y;
        }
    }
    r.Moves[2].Comment = "brackets ] and [, a backslash \\ and\na second line";
    return r;
}

TEST(GameRecordTest, EveryRuleSizeAndResultComesBackMoveForMove) {
    using enum TOutcome;
    using enum TWinBy;
    const std::pair<TOutcome, TWinBy> results[] = {{Unfinished, Five}, {Draw, Five},
                                                   {BlackWon, Five},   {BlackWon, Resignation},
                                                   {WhiteWon, Time},   {BlackWon, Forfeit}};
    const auto* result = results;
    for (int size : {SmallBoardSize, LargeBoardSize}) {
        for (TRule rule : {TRule::Freestyle, TRule::Standard, TRule::Renju}) {
            TGameRecord sgf = Sample(size, rule, false);
            std::tie(sgf.Outcome, sgf.WinBy) = *result++;
            EXPECT_EQ(Summary(ParseGameRecord(EncodeGameRecord(sgf, Sgf), Sgf)), Summary(sgf));
            // PSQ keeps only the board, the moves with their times, and the names.
            TGameRecord psq = Sample(size, TRule::Freestyle, true);
            psq.Outcome = TOutcome::Unfinished;
            psq.WinBy = TWinBy::Five;
            psq.Date = psq.Comment = psq.Moves[2].Comment = "";
            EXPECT_EQ(ParseGameRecord(EncodeGameRecord(psq, Psq), Psq), psq);
        }
    }
}

// Other programs read what we write only if it is exactly their format: aa is the top-left corner
// in SGF, PSQ counts from 1 and ends its lines as Windows does.
TEST(GameRecordTest, WrittenInTheFormsOtherProgramsRead) {
    const TGameRecord r(SmallBoardSize, TRule::Renju, "", "Bob", TOutcome::BlackWon,
                        TWinBy::Resignation, "2024-05-31", "",
                        {{8, 8, BlackStone, "a]b\\c", 150}, {9, 7, WhiteStone, "", {}}});
    EXPECT_EQ(EncodeGameRecord(r, Sgf), "(;FF[4]GM[4]CA[UTF-8]AP[Rennor]SZ[15]RU[Renju]PW[Bob]"
                                        "DT[2024-05-31]RE[B+R]\n;B[hh]C[a\\]b\\\\c]\n;W[ig])\n");
    EXPECT_EQ(EncodeGameRecord(r, Psq),
              "Piskvorky 15x15, 11:11, 0\r\n8,8,150\r\n9,7,0\r\n\r\nBob\r\n");
}

TEST(GameRecordTest, RecordsOfOtherProgramsRead) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"\xEF\xBB\xBF (;GM[4]FF[4]\r\nSZ[15]  RU[ renju ]\r\nPB[Ann]\tPW [Bob]RE[W+Resign]"
         "DT[2023-07-01]\r\nAP[Other:1.0]KM[0]\r\n;B[hh]\r\n ; W[ig] C[good \\] move]\r\n;B[ii])",
         "15 renju Ann/Bob W+R 2023-07-01 {} | B8:8 W9:7{good ] move} B9:9"},
        {"(;SZ[15];B[hh](;W[ii];B[jj](;W[kk])(;W[ll]))(;W[aa]))(;B[aa])",
         "15 freestyle / ? {} | B8:8 W9:9 B10:10 W11:11"},
        {"(;GaMe[4]SiZe[15]RUle[Free-style];Black[hh];White[ii]Comment[x])",
         "15 freestyle / ? {} | B8:8 W9:9{x}"},
        {"(;SZ[15:15]RU[RIF]AW[ii]AB[hh][jj];W[kk])", "15 renju / ? {} | B8:8 W9:9 B10:10 W11:11"},
        {"(;AB[hh]AW[ii];B[jj])", "19 freestyle / ? {} | B8:8 W9:9 B10:10"},
        {"(;RU[Standard Gomoku]RE[0]C[one\\\r\ntwo];B[aa]C[a\r\nb];C[c])",
         "19 standard / draw {onetwo} | B1:1{a\nb\nc}"},
        {"(;RU[1]RE[Jigo])", "19 standard / draw {} |"},
        {"(;PB[a\\\tb\tc])", "19 freestyle a b c/ ? {} |"}, // an escaped tab is a space too
        {"(;RU[4]RE[B+])", "19 renju / B+ {} |"},
        {"(;RE[B+3.5])", "19 freestyle / B+ {} |"},
        {"(;RE[?])", "19 freestyle / ? {} |"},
        {"(;CA[ISO-8859-1]PB[J\xF6rg])", "19 freestyle J\xC3\xB6rg/ ? {} |"},
        {"(;PB[J\xF6rg]PW[Z\xC3\xBC])", "19 freestyle J\xC3\xB6rg/Z\xC3\x83\xC2\xBC ? {} |"},
        {"(;CA[UTF-8]PB[Z\xC3\xBC])", "19 freestyle Z\xC3\xBC/ ? {} |"},
        {"(;PB[Z\xC3\xBC]PW[\x80])", "19 freestyle Z\xC3\x83\xC2\xBC/\xC2\x80 ? {} |"},
        {"(;PB[Z\xC3\xBC\xE2\x82\xAC])", "19 freestyle Z\xC3\xBC\xE2\x82\xAC/ ? {} |"},
        {"Piskvorky 15x15, 11:11, 0\r\n8,8,0\r\n9,9,1500\r\n10,10,20\r\nengine-one.exe\r\n"
         "engine-two.exe\r\n-1\r\n",
         "15 freestyle engine-one.exe/engine-two.exe ? {} | B8:8@0 W9:9@1500 B10:10@20"},
        {"Piskvorky 19x19,  1:1, 0\n 10 , 10 \n11,11", "19 freestyle / ? {} | B10:10 W11:11"},
        {"piskvorky 15X15\r1,1,7\r-1\r\r", "15 freestyle / ? {} | B1:1@7"},
    };
    for (const auto& [text, summary] : cases) { // each told by its text, as .txt is no format
        EXPECT_EQ(Summary(ParseGameRecord(text, RecordFormatOf("a.sgf.txt", text))), summary)
            << text;
    }
}

TEST(GameRecordTest, BadRecordsAreRefusedWithTheirFault) {
    const std::string longName = "(;PB[" + std::string(MaxRecordNameBytes + 1, 'x') + "])";
    const std::string tooLarge(MaxRecordFileBytes + 1, ' ');
    const std::tuple<TRecordFormat, std::string_view, std::string_view> cases[] = {
        {Sgf, " ;B[aa]", "The file is not an SGF record: it does not start with '('"},
        {Sgf, "(;B[aa]", "The SGF record ends before its game tree is closed (at byte 8)"},
        {Sgf, "(;C[a\\]", "The SGF record ends inside a property value (at byte 8)"},
        {Sgf, "( B[aa])", "The SGF record has a game tree without a node (at byte 3)"},
        {Sgf, "(;B[aa](;W[bb]);B[cc])",
         "The SGF record has ';' where a node or variation should be (at byte 16)"},
        {Sgf, "(;B[aa]x)",
         "The SGF record has a property name without a capital letter (at byte 8)"},
        {Sgf, "(;B )", "The SGF record has property B without a value (at byte 5)"},
        {Sgf, "(;SZ[20])", "The record's board is 20x20; Rennor plays on 15x15 and 19x19 boards"},
        {Sgf, "(;SZ[15:19])",
         "The record's board is 15x19; Rennor plays on 15x15 and 19x19 boards"},
        {Sgf, "(;SZ[big])", "The SGF record's board size [big] is not a number"},
        {Sgf, "(;GM[1])", "The SGF record is of game GM[1], not of five in a row (GM[4])"},
        {Sgf, "(;RU[Pente])",
         "The SGF record's rule \"Pente\" is not one Rennor plays: freestyle, standard or renju"},
        {Sgf, "(;B[aa]W[bb])", "A node of the SGF record holds two moves"},
        {Sgf, "(;B[aa];W[])",
         "Move 2 of the record is a pass, which a game of five in a row does not have"},
        {Sgf, "(;B[tt])",
         "Move 1 of the record is a pass, which a game of five in a row does not have"},
        {Sgf, "(;B[a1])", "Move 1 of the record is not a square: [a1]"},
        {Sgf, "(;B[aa][bb])", "Move 1 of the record names more than one square"},
        {Sgf, "(;SZ[15];B[ap])", "Move 1 of the record (1:16) is off the 15x15 board"},
        {Sgf, "(;B[bc];W[bc])", "Move 2 of the record is on square 2:3, where move 1 stands"},
        {Sgf, "(;B[aa];B[bb])", "Move 2 of the record is black's, as was the move before it"},
        {Sgf, "(;RU[Renju];B[hj];W[aa];B[ij];W[ac];B[jh];W[ae];B[ji];W[ag];B[jj])",
         "Move 9 of the record (10:10) is forbidden to black under renju: double three"},
        {Sgf, "(;B[aa];W[as];B[ba];W[bs];B[ca];W[cs];B[da];W[ds];B[ea];W[es])",
         "Move 10 of the record (5:19) comes after move 9 won the game"},
        {Sgf, "(;RE[W+R];B[aa];W[as];B[ba];W[bs];B[ca];W[cs];B[da];W[ds];B[ea])",
         "The record's result does not match its moves: move 9 won the game for black"},
        {Sgf, "(;AE[aa])",
         "The SGF record removes stones (AE), which a game of five in a row never does"},
        {Sgf, "(;B[aa];AB[bb])", "The SGF record sets up stones after move 1"},
        {Sgf, "(;AB[aa][bb][cc]AW[dd])",
         "The SGF record sets up 3 black and 1 white stones, which cannot have been played in "
         "turn"},
        {Sgf, "(;AB[a])", "A set-up stone of the SGF record is not a square: [a]"},
        {Sgf, longName, "Black's name is longer than 200 bytes"},
        {Sgf, tooLarge, "The file is too large for a game record (over 1 MB)"},
        {Psq, "Piskvorky\r\n",
         "The file is not a PSQ record: its first line does not give the board size"},
        {Psq, "Piskvorky 20x20, 11:11, 0\r\n",
         "The record's board is 20x20; Rennor plays on 15x15 and 19x19 boards"},
        {Psq, "Piskvorky 15x15\n1,1,0\n1,x,0\n", "Line 3 of the PSQ record is not a move: 1,x,0"},
        {Psq, "Piskvorky 15x15\n1,1,0,5\n", "Line 2 of the PSQ record is not a move: 1,1,0,5"},
        {Psq, "Piskvorky 15x15\n1,1,-5\n", "Line 2 of the PSQ record is not a move: 1,1,-5"},
        {Psq, "Piskvorky 15x15\n1,1,1000000000\n",
         "Line 2 of the PSQ record is not a move: 1,1,1000000000"},
        {Psq, "Piskvorky 15x15\n0,1,0\n", "Move 1 of the record (0:1) is off the 15x15 board"},
        {Psq, "Piskvorky 15x15\n1,1\n2,2\n1,1\n",
         "Move 3 of the record is on square 1:1, where move 1 stands"},
    };
    for (const auto& [format, text, message] : cases) {
        EXPECT_EQ(ErrorOf([&] { ParseGameRecord(text, format); }), QString::fromUtf8(message))
            << text.substr(0, 40);
    }
}

TEST(GameRecordTest, FilesChooseTheirFormatByExtensionThenByText) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const TGameRecord sgf = Sample(SmallBoardSize, TRule::Renju, false);
    const QString sgfPath = RecordPathToWrite(dir.filePath("game"), Sgf);
    EXPECT_EQ(sgfPath, dir.filePath("game.sgf"));
    WriteGameRecord(sgfPath, sgf, Sgf);
    EXPECT_EQ(ReadGameRecord(sgfPath), sgf);
    QFile::rename(sgfPath, dir.filePath("game.txt"));
    EXPECT_EQ(ReadGameRecord(dir.filePath("game.txt")), sgf);

    const QString psqPath = dir.filePath("game.PSQ");
    EXPECT_EQ(RecordPathToWrite(psqPath, Sgf), psqPath);
    WriteRaw(psqPath, "Piskvorky 15x15, 11:11, 0\r\n8,8,5\r\n");
    EXPECT_EQ(Summary(ReadGameRecord(psqPath)), "15 freestyle / ? {} | B8:8@5");

    WriteRaw(dir.filePath("big.sgf"), QByteArray(MaxRecordFileBytes, ' '));
    EXPECT_EQ(ErrorOf([&] { ReadGameRecord(dir.filePath("big.sgf")); }),
              "The file is not an SGF record: it does not start with '('");
    WriteRaw(dir.filePath("big.sgf"), QByteArray(MaxRecordFileBytes + 1, ' '));
    EXPECT_EQ(ErrorOf([&] { ReadGameRecord(dir.filePath("big.sgf")); }),
              "The file is too large for a game record (over 1 MB)");
    EXPECT_EQ(ErrorOf([&] { ReadGameRecord(dir.filePath("none.sgf")); }), "File not found");
    EXPECT_EQ(ErrorOf([&] { ReadGameRecord(dir.path()); }), "File access denied");
    EXPECT_EQ(ErrorOf([&] { WriteGameRecord(dir.path(), sgf, Sgf); }), "File access denied");
}

} // namespace
