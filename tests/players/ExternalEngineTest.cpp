// External engines through real pipes: a game against rennor-brain, and a fake brain per fault.
#include "PlayersTestSupport.h"

#include "game/MoveHistory.h"
#include "players/ExternalPlayer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

using namespace std::chrono_literals;

// A brain that keeps the protocol, answering START and ABOUT with its shell function start and
// every TURN with move, both of which %1 may redefine; n counts the TURNs.
constexpr char FakeBrain[] = R"(#!/bin/sh
start() { echo OK; }
%1
n=0
while read -r cmd rest; do
  case "$cmd" in
    START*|ABOUT*) start ;;
    TURN*) n=$((n+1)); move ;;
  esac
done
)";

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
        {"late", "move() { sleep 5; echo 0,0; }", "did not answer TURN 9,9 within 1.2 seconds", 0},
        {"off the board", "move() { echo 19,3; }", "answered 19,3, a square that is off the board",
         0},
        {"occupied", "move() { echo 9,9; }", "answered 9,9, a square that is taken", 0},
        {"garbage", "move() { echo 'e2 e4'; }", "answered \"e2 e4\", which is not a move", 0},
        {"crashes mid-game", "move() { [ $n -ge 2 ] && kill -SEGV $$; echo 0,$n; }", "crashed", 1},
    };
    const QTemporaryDir folder;
    for (const TFault& f : faults) {
        SCOPED_TRACE(f.Name);
        NewGame1Click(false);
        Ports.Errors.clear();
        const QString program = folder.filePath(QLatin1String(f.Name));
        if (f.Shell) {
            QFile file(program);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QString::fromLatin1(FakeBrain).arg(QLatin1String(f.Shell)).toUtf8());
            file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
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

TEST_F(ExternalEngineTest, AnEngineIsToldTheBoardSizeAndRuleOfTheGame) {
    const QTemporaryDir folder;
    const QString program = folder.filePath(QStringLiteral("logging"));
    const QString log = folder.filePath(QStringLiteral("log"));
    QFile file(program);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("#!/bin/sh\nwhile read -r line; do\n  echo \"$line\" >> '%1'\n"
                              "  case \"$line\" in START*|ABOUT*) echo OK ;; TURN*) echo 4,4 ;; "
                              "esac\ndone\n")
                   .arg(log)
                   .toUtf8());
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    Options.Rules = {TRule::Renju, TOpening::None, SmallBoardSize};
    NewGame1Click(false);
    TExternalPlayer engine(program, 200ms);
    const TInstalled installed(engine);
    ASSERT_TRUE(PlayAndAwait(0));
    QFile sent(log);
    ASSERT_TRUE(sent.open(QIODevice::ReadOnly));
    QStringList starts;
    for (const QByteArray& line : sent.readAll().split('\n')) {
        if (line.startsWith("START") || line.startsWith("INFO rule")) {
            starts << QString::fromLatin1(line.trimmed());
        }
    }
    EXPECT_EQ(starts.mid(starts.size() - 2).join('|'), "START 15|INFO rule 4");
    EXPECT_TRUE(Ports.Errors.isEmpty());
}

} // namespace
