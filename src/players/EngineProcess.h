// An engine's process in a process group of its own, so that ending it ends all it started.
#pragma once

#include <QProcess>
#include <QString>
#include <chrono>

// The program runs in a session of its own, without a display: a brain is a console program, and
// one that would open windows (this game, chosen by mistake) fails instead of opening them.
// Whatever the program starts stays in its group, and goes with it.
class TEngineProcess final : public QProcess {
    Q_OBJECT

public:
    explicit TEngineProcess(QObject* parent = nullptr);
    // Ends the group.
    ~TEngineProcess() override;

    void Start(const QString& program);
    // Ends the program and everything in its group, at once.
    void EndGroup();
    // The program's input closes; the group ends when the program ends or grace has passed,
    // whichever comes first. The process then deletes itself; until then it belongs to the
    // application, and goes with it at the latest.
    void Retire(std::chrono::milliseconds grace);

private:
    qint64 Group = 0; // the group's id, which is the program's process id; 0 once ended
};

// Whether program names the executable of this very process (through any link to it).
bool IsThisProgram(const QString& program);

// Every engine's group ends when the game does: at its exit, and on a signal that ends it
// (hang-up, interrupt, quit, terminate), before the signal takes effect. Signals the game was
// started to ignore stay ignored.
void EndEngineGroupsWithTheGame();
