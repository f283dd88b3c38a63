// Engines' processes in groups of their own, ended with everything they started.
#include "players/EngineProcess.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <array>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using namespace std::chrono_literals;

#ifdef Q_OS_UNIX
// The groups alive, where a signal handler can reach them without a lock. An engine beyond the
// last slot still ends with its player, only not on a signal.
std::array<std::atomic<pid_t>, 64> LiveGroups{};
static_assert(std::atomic<pid_t>::is_always_lock_free);

void Exchange(pid_t from, pid_t to) {
    for (std::atomic<pid_t>& slot : LiveGroups) {
        pid_t expected = from;
        if (slot.compare_exchange_strong(expected, to)) {
            return;
        }
    }
}

void EndLiveGroups() {
    for (std::atomic<pid_t>& slot : LiveGroups) {
        if (const pid_t group = slot.exchange(0); group > 0) {
            ::kill(-group, SIGKILL);
        }
    }
}

// Installed with SA_RESETHAND: the raised signal then takes its default effect.
void EndLiveGroupsAndRaise(int signal) {
    EndLiveGroups();
    ::raise(signal);
}
#endif

} // namespace

TEngineProcess::TEngineProcess(QObject* parent) : QProcess(parent) {
#ifdef Q_OS_UNIX
    setChildProcessModifier([] { ::setsid(); });
#endif
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QString::fromLatin1(name));
    }
    setProcessEnvironment(environment);
}

TEngineProcess::~TEngineProcess() {
    EndGroup();
    waitForFinished(1000); // killed, it ends at once; QProcess would wait, and warn, otherwise
}

void TEngineProcess::Start(const QString& program) {
    start(program, {});
    Group = processId();
#ifdef Q_OS_UNIX
    Exchange(0, static_cast<pid_t>(Group));
#endif
}

void TEngineProcess::EndGroup() {
#ifdef Q_OS_UNIX
    if (Group > 0) {
        Exchange(static_cast<pid_t>(Group), 0);
        ::kill(-static_cast<pid_t>(Group), SIGKILL);
    }
#else
    kill(); // no group to end: the program alone
#endif
    Group = 0;
}

void TEngineProcess::Retire(std::chrono::milliseconds grace) {
    closeWriteChannel();
    QCoreApplication* app = QCoreApplication::instance();
    if (grace <= 0ms || state() == NotRunning || app == nullptr) {
        EndGroup();
    }
    if (app == nullptr) {
        return; // it goes with its owner
    }
    setParent(app);
    // The program is gone, what it left behind goes too.
    connect(this, &QProcess::finished, this, [this] {
        EndGroup();
        deleteLater();
    });
    QTimer::singleShot(grace, this, &TEngineProcess::EndGroup);
    if (state() == NotRunning) {
        deleteLater();
    }
}

bool IsThisProgram(const QString& program) {
    // Found as the system finds a program named without a folder.
    const QString path =
        program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    const QString self = QCoreApplication::applicationFilePath();
    if (path.isEmpty() || self.isEmpty()) {
        return false;
    }
#ifdef Q_OS_UNIX
    struct stat chosen {};
    struct stat running {};
    return ::stat(QFile::encodeName(path).constData(), &chosen) == 0 &&
           ::stat(QFile::encodeName(self).constData(), &running) == 0 &&
           chosen.st_dev == running.st_dev && chosen.st_ino == running.st_ino;
#else
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return !canonical.isEmpty() &&
           canonical.compare(QFileInfo(self).canonicalFilePath(), Qt::CaseInsensitive) == 0;
#endif
}

void EndEngineGroupsWithTheGame() {
#ifdef Q_OS_UNIX
    std::atexit(EndLiveGroups);
    for (const int signal : {SIGHUP, SIGINT, SIGQUIT, SIGTERM}) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) {
            continue;
        }
        struct sigaction ending {};
        ending.sa_handler = EndLiveGroupsAndRaise;
        sigemptyset(&ending.sa_mask);
        ending.sa_flags = SA_RESETHAND;
        ::sigaction(signal, &ending, nullptr);
    }
#endif
}
