// External engines through real pipes: a fake brain per fault, and the engine's processes.
#include "FakeBrain.h"
#include "GameFlowTestSupport.h"

#include "game/MoveHistory.h"
#include "players/ExternalPlayer.h"

#include <QProcess>
#include <QSettings>
#include <QTest>
#include <csignal>
#include <functional>

namespace {

using namespace std::chrono_literals;

// A brain that starts a child at START (its manager has seen it start then) and writes its
// process id and its child's to its file of ids, wants no display, and thinks for ever about a
// TURN.
constexpr char SpawningBrain[] = R"(start() {
  [ -n "$child" ] || { sleep 600 & child=$!; echo $$ >>"$0.ids"; echo $child >>"$0.ids"; }
  [ -z "$DISPLAY$WAYLAND_DISPLAY$QT_QPA_PLATFORM" ] && echo OK || echo ERROR a display
}
move() { sleep 600; })";

QStringList IdsOf(const QString& program) {
    QFile file(program + ".ids");
    return file.open(QIODevice::ReadOnly)
               ? QString::fromLatin1(file.read(4096)).split('\n', Qt::SkipEmptyParts)
               : QStringList();
}

// A process that ended and waits to be reaped is gone too.
bool AllGone(const QStringList& ids) {
    return std::all_of(ids.begin(), ids.end(), [](const QString& id) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(id));
        const QByteArray fields = stat.open(QIODevice::ReadOnly) ? stat.read(4096) : ") Z";
        return fields.mid(fields.lastIndexOf(')') + 2, 1) == "Z";
    });
}

using ExternalEngineTest = GameFlowTest;

// Each fault ends the engine and Rennor King plays on in its place. Engines that keep the
// protocol in ways of their own play on under Renju on 15 x 15, and are told that game: lines
// ended by CR alone, and ABOUT left unanswered or answered UNKNOWN (the file name stays).
TEST_F(ExternalEngineTest, EachFaultEndsTheEngineAndEnginesOfTheirOwnWayPlayOn) {
    struct TEngine {
        const char* Name;
        const char* Shell;   // what the fake brain redefines; nullptr: no fake brain
        const char* Message; // the fault's; nullptr: the engine plays on
        int GoodAnswers;     // answers the fake gives before its fault
        bool Itself = false; // the program is a link to this one
    };
    const TEngine engines[] = {
        {"does not start", nullptr, "could not be started", 0},
        {"not a brain", "start() { echo 'What?'; }",
         "is not a Gomoku brain: it answered \"What?\" to START 19", 0},
        {"late, with a child", SpawningBrain, "did not answer TURN 10,10 within 1.2 seconds.", 0},
        {"off the board", "move() { echo 19,3; }", "answered 20,4, a square that is off the board.",
         0},
        {"occupied", "move() { echo 9,9; }", "answered 10,10, a square that is taken.", 0},
        {"garbage", "move() { printf 'e2\\033e4\\n'; }", "answered \"e2?e4\", which is not a move.",
         0},
        {"endless line", "move() { head -c 5000 /dev/zero; }",
         "printed more than 4096 characters without an end of line.", 0},
        {"crashes mid-game", "move() { [ $n -ge 2 ] && kill -SEGV $$; echo 0,$n; }", "crashed.", 1},
        {"exits mid-game", "move() { exit 3; }", "stopped (exit code 3).", 0},
        {"the game itself", nullptr, "is Rennor itself, not a Gomoku brain", 0, true},
        {"Cr",
         "start() { printf 'OK\\r'; }; about() { printf 'name=\"Cr\"\\r'; };"
         "move() { printf '0,%d\\r' $n; }",
         nullptr, 2},
        {"silent", "about() { :; }; move() { echo 0,$n; }", nullptr, 2},
        {"unknown", "about() { echo UNKNOWN; }; move() { echo 0,$n; }", nullptr, 2},
    };
    const QTemporaryDir folder;
    for (const TEngine& e : engines) {
        SCOPED_TRACE(e.Name);
        Options.Rules = e.Message ? TGameRules{} : TGameRules{TRule::Renju, {}, SmallBoardSize};
        NewGame1Click(false);
        Ports.Errors.clear();
        const QString program =
            e.Shell ? WriteBrain(folder, e.Name, e.Shell) : folder.filePath(QLatin1String(e.Name));
        if (e.Itself) {
            ASSERT_TRUE(QFile::link(QCoreApplication::applicationFilePath(), program));
        }
        TExternalPlayer engine(program, 200ms);
        const TInstalled installed(engine);
        for (int i = 0; i < e.GoodAnswers; ++i) { // on row 15, apart from the answers, awaited
            const int expected = Game.MoveCount + 2;
            ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, i, 14) &&
                        QTest::qWaitFor([&] { return Game.MoveCount == expected; }, 10000));
        }
        if (e.Message == nullptr) {
            EXPECT_TRUE(Ports.Errors.isEmpty()) << Ports.Errors.join(' ').toStdString();
            EXPECT_EQ(engine.Name(), e.Name);
            QFile log(program + ".log");
            ASSERT_TRUE(log.open(QIODevice::ReadOnly));
            const QByteArray sent = log.readAll().replace('\r', "");
            const QByteArray last = sent.mid(sent.lastIndexOf("START")); // after the game's start
            EXPECT_TRUE(last.startsWith("START 15\n") && last.contains("INFO rule 4\n"))
                << sent.data();
            continue;
        }
        const int before = Game.MoveCount;
        ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, 9, 9));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !Ports.Errors.isEmpty(); }, 10000));
        ASSERT_EQ(Ports.Errors.size(), 1);
        EXPECT_TRUE(Ports.Errors[0].contains(QLatin1String(e.Message)) &&
                    Ports.Errors[0].contains("Rennor King plays in its place"))
            << Ports.Errors[0].toStdString();
        EXPECT_TRUE(QTest::qWaitFor([&] { return AllGone(IdsOf(program)); }, 10000));
        // The human's stone and Rennor King's answer, nothing of the engine's.
        ASSERT_EQ(Game.MoveCount, before + 2);
        EXPECT_TRUE(Game.Board[10][10] == Game.Moves[before + 1].Color &&
                    ComputerPlayer().Name() == "Rennor King");
        ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, 3, 3)); // answered at once
        EXPECT_EQ(Game.MoveCount, before + 4);
    }
}

TEST_F(ExternalEngineTest, TheEngineAndAllItStartedEndWhenItsThinkingIsDroppedOrItGoes) {
    const QTemporaryDir folder;
    const QString program = WriteBrain(folder, "spawns", SpawningBrain);
    using TEngine = std::unique_ptr<TExternalPlayer>;
    // What ends the engine's thinking about its answer to the human's move.
    const std::pair<const char*, std::function<void(TEngine&)>> ways[] = {
        {"New Game", [](TEngine&) { NewGame1Click(false); }},
        {"Undo", [](TEngine&) { Undo1Click(); }},
        {"Exit",
         [](TEngine& engine) {
             InstallComputerPlayer(nullptr);
             engine.reset();
         }},
    };
    for (const auto& [name, stop] : ways) {
        SCOPED_TRACE(name);
        NewGame1Click(false);
        QFile::remove(program + ".ids");
        auto engine = std::make_unique<TExternalPlayer>(program, 60s);
        InstallComputerPlayer(engine.get());
        ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, 3, 3));
        ASSERT_TRUE(QTest::qWaitFor([&] { return IdsOf(program).size() == 2; }, 10000));
        const QStringList thinking = IdsOf(program);
        stop(engine);
        EXPECT_TRUE(QTest::qWaitFor([&] { return AllGone(thinking); }, 10000));
        if (engine) { // asked afresh on the empty board, a new engine answers at once
            AskComputerMove();
            ASSERT_TRUE(QTest::qWaitFor([] { return Game.MoveCount == 1; }, 10000));
            EXPECT_NE(Game.Board[10][10], NoStone);
            EXPECT_EQ(IdsOf(program).size(), 4);
            InstallComputerPlayer(nullptr);
            engine.reset(); // idle, it is given time to end, and its child is ended
            EXPECT_TRUE(QTest::qWaitFor([&] { return AllGone(IdsOf(program)); }, 10000))
                << IdsOf(program).join(" ").toStdString();
        }
        EXPECT_TRUE(Ports.Errors.isEmpty()) << Ports.Errors.join('|').toStdString();
    }
}

TEST_F(ExternalEngineTest, ASignalThatEndsTheGameEndsItsEngineAndAllItStarted) {
    for (const int signal : {SIGHUP, SIGTERM}) {
        SCOPED_TRACE(signal);
        const QTemporaryDir folder;
        const QString program = WriteBrain(folder, "spawns", SpawningBrain);
        QSettings stored(folder.filePath("Veltrane Inc./Rennor.conf"), QSettings::IniFormat);
        stored.setValue("COMPUTER PLAYER", "External engine");
        stored.setValue("ENGINE PATH", program);
        stored.setValue("MUSIC", "0");
        stored.sync();
        QProcess game;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", folder.path());
        environment.insert("PULSE_SERVER", "unix:" + folder.filePath("none"));
        game.setProcessEnvironment(environment);
        game.start(RENNOR_GAME, {});
        ASSERT_TRUE(QTest::qWaitFor([&] { return IdsOf(program).size() == 2; }, 20000));
        ::kill(static_cast<pid_t>(game.processId()), signal);
        ASSERT_TRUE(game.waitForFinished(10000));
        EXPECT_EQ(game.exitStatus(), QProcess::CrashExit); // the signal took its effect
        EXPECT_TRUE(QTest::qWaitFor([&] { return AllGone(IdsOf(program)); }, 10000));
    }
}

} // namespace
