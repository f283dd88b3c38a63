// Measures how long an external engine's next answer takes after New Game during its think,
// against the same question asked of an engine that is not thinking.
// Usage: engine_restart_bench [BRAIN [MOVE_SECONDS [SECONDS_INTO_THE_THINK]]]
// (defaults: the built rennor-brain, 10, 3). Exits 1 when the answer after New Game takes longer
// than the move time and half a second.
#include "players/ExternalPlayer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace std::chrono_literals;

// Two stones apart, each side's: nothing forced, so the engine thinks for all its time.
TMoveQuestion QuietQuestion(std::uint64_t ticket, int whiteX) {
    return {ticket, {{BlackStone, 10, 10}, {WhiteStone, whiteX, 4}}, BlackStone};
}

// Seconds from now until the engine answers the question, or -1 when it does not in a minute
// more than the move time.
double SecondsToAnswer(TExternalPlayer& engine, const TMoveQuestion& question,
                       std::chrono::milliseconds moveTime) {
    bool answered = false;
    const auto link =
        QObject::connect(&engine, &TComputerPlayer::Answered, [&](std::uint64_t ticket, int, int) {
            answered = answered || ticket == question.Ticket;
        });
    QElapsedTimer clock;
    clock.start();
    engine.Ask(question);
    const bool inTime =
        QTest::qWaitFor([&] { return answered; }, static_cast<int>((moveTime + 60s).count()));
    QObject::disconnect(link);
    return inTime ? static_cast<double>(clock.nsecsElapsed()) / 1e9 : -1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString brain = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(RENNOR_BRAIN);
    const std::chrono::milliseconds moveTime(argc > 2 ? std::atoi(argv[2]) * 1000 : 10000);
    const int intoThink = argc > 3 ? std::atoi(argv[3]) * 1000 : 3000;
    TExternalPlayer engine(brain, moveTime);
    QObject::connect(&engine, &TComputerPlayer::Failed, [](const QString& problem) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        QCoreApplication::exit(2);
    });

    const double idle = SecondsToAnswer(engine, QuietQuestion(1, 3), moveTime);
    engine.Ask(QuietQuestion(2, 5));
    QTest::qWait(intoThink);
    engine.Cancel(); // what New Game does to the question the computer thinks about
    const double afterNewGame = SecondsToAnswer(engine, QuietQuestion(3, 7), moveTime);

    const double limit = std::chrono::duration<double>(moveTime).count() + 0.5;
    std::printf("move time %.1f s: an idle engine answers in %.2f s; after New Game %.1f s into "
                "its think, the next answer takes %.2f s (at most %.1f s wanted)\n",
                limit - 0.5, idle, intoThink / 1000.0, afterNewGame, limit);
    return afterNewGame >= 0 && afterNewGame <= limit ? 0 : 1;
}
