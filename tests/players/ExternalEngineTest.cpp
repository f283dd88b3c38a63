// External engines through real pipes: a game against rennor-brain, and a fake brain per fault.
#include "PlayersTestSupport.h"

#include "game/MoveHistory.h"
#include "players/ExternalPlayer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

using namespace std::chrono_literals;

// A brain that keeps the protocol, answering START, ABOUT and every TURN with its shell
// functions start, about and move, which %1 may redefine; n counts the TURNs.
constexpr char FakeBrain[] = R"(#!/bin/sh
start() { echo OK; }
about() { echo 'name="Fake"'; }
%1
n=0
while read -r cmd rest; do
  case "$cmd" in
    START*) start ;;
    ABOUT*) about ;;
    TURN*) n=$((n+1)); move ;;
  esac
done
)";

// Writes the fake brain with these functions redefined as a program in folder.
QString WriteFakeBrain(const QTemporaryDir& folder, const char* name, const char* functions) {
    const QString program = folder.filePath(QLatin1String(name));
    QFile file(program);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QString::fromLatin1(FakeBrain).arg(QLatin1String(functions)).toUtf8());
    file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    return program;
}

// The human plays the first empty square of a row and the computer's answer is awaited.
bool PlayAndAwait(int row) {
    int col = 0;
    while (Game.Board[col + 1][row + 1] != NoStone) {
        ++col;
    }
    const int expected = Game.MoveCount + 2;
    return CellGridMouseDown(Qt::LeftButton, col, row) &&
           QTest::qWaitFor([&] { return Game.MoveCount == expected; }, 10000);
}

using ExternalEngineTest = GameFlowTest;

TEST_F(ExternalEngineTest, RennorBrainPlaysThroughPipesAndHearsAWholePositionAfterUndo) {
    TExternalPlayer brain(QStringLiteral(RENNOR_BRAIN), 300ms);
    const TInstalled installed(brain);
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(PlayAndAwait(3)) << "move " << i;
    }
    Undo1Click(); // a position the brain did not play is sent whole
    ASSERT_TRUE(PlayAndAwait(17));
    EXPECT_TRUE(Ports.Errors.isEmpty());
    EXPECT_EQ(&ComputerPlayer(), &brain);
    EXPECT_EQ(brain.Name(), "Rennor Emperor");
}

TEST_F(ExternalEngineTest, EachFaultEndsTheEngineAndRennorKingPlaysOn) {
    struct TFault {
        const char* Name;
        const char* Shell; // what the fake brain redefines; nullptr: no program at all
        const char* Message;
        int GoodAnswers; // answers the fake gives before its fault
    };
    const TFault faults[] = {
        {"does not start", nullptr, "could not be started", 0},
        {"not a brain", "start() { echo 'What?'; }",
         "is not a Gomoku brain: it answered \"What?\" to START 19", 0},
        {"late", "move() { sleep 5; echo 0,0; }", "did not answer TURN 10,10 within 1.2 seconds.",
         0},
        {"off the board", "move() { echo 19,3; }", "answered 20,4, a square that is off the board.",
         0},
        {"occupied", "move() { echo 9,9; }", "answered 10,10, a square that is taken.", 0},
        {"garbage", "move() { printf 'e2\\033e4\\n'; }", "answered \"e2?e4\", which is not a move.",
         0},
        {"endless line", "move() { head -c 5000 /dev/zero; }",
         "printed more than 4096 characters without an end of line.", 0},
        {"crashes mid-game", "move() { [ $n -ge 2 ] && kill -SEGV $$; echo 0,$n; }", "crashed.", 1},
        {"exits mid-game", "move() { exit 3; }", "stopped (exit code 3).", 0},
    };
    const QTemporaryDir folder;
    for (const TFault& f : faults) {
        SCOPED_TRACE(f.Name);
        NewGame1Click(false);
        Ports.Errors.clear();
        const QString program = f.Shell ? WriteFakeBrain(folder, f.Name, f.Shell)
                                        : folder.filePath(QLatin1String(f.Name));
        TExternalPlayer engine(program, 200ms);
        const TInstalled installed(engine);
        for (int i = 0; i < f.GoodAnswers; ++i) {
            ASSERT_TRUE(PlayAndAwait(18));
        }
        const int before = Game.MoveCount;
        ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, 9, 9));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !Ports.Errors.isEmpty(); }, 10000));
        ASSERT_EQ(Ports.Errors.size(), 1);
        EXPECT_TRUE(Ports.Errors[0].contains(QLatin1String(f.Message)))
            << Ports.Errors[0].toStdString();
        EXPECT_TRUE(Ports.Errors[0].contains("Rennor King plays in its place"));
        // The human's stone and Rennor King's answer, nothing of the engine's.
        ASSERT_EQ(Game.MoveCount, before + 2);
        EXPECT_EQ(Game.Board[10][10], Game.Moves[before + 1].Color);
        EXPECT_EQ(ComputerPlayer().Name(), "Rennor King");
        ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, 3, 3)); // answered at once
        EXPECT_EQ(Game.MoveCount, before + 4);
    }
}

// Engines that keep the protocol in ways of their own play on: lines ended by CR alone, and
// ABOUT left unanswered or answered UNKNOWN (the engine keeps its file name).
TEST_F(ExternalEngineTest, EnginesThatKeepTheProtocolTheirOwnWayPlay) {
    const std::pair<const char*, const char*> engines[] = {
        {"Cr", "start() { printf 'OK\\r'; }; about() { printf 'name=\"Cr\"\\r'; };"
               "move() { printf '0,%d\\r' $n; }"},
        {"silent", "about() { :; }; move() { echo 0,$n; }"},
        {"unknown", "about() { echo UNKNOWN; }; move() { echo 0,$n; }"},
    };
    const QTemporaryDir folder;
    for (const auto& [name, functions] : engines) {
        SCOPED_TRACE(name);
        NewGame1Click(false);
        Ports.Errors.clear();
        TExternalPlayer engine(WriteFakeBrain(folder, name, functions), 200ms);
        const TInstalled installed(engine);
        ASSERT_TRUE(PlayAndAwait(18));
        ASSERT_TRUE(PlayAndAwait(18));
        EXPECT_TRUE(Ports.Errors.isEmpty()) << Ports.Errors.join(' ').toStdString();
        EXPECT_EQ(engine.Name(), name);
    }
}

} // namespace
