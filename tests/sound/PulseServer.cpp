// The private sound server and the monitor recorder of the audio tests.
#include "PulseServer.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <cmath>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/prctl.h>

namespace {

constexpr int StartTimeoutMs = 30000;

// A test program ended outright (a hang's timeout) takes its server and recorder with it.
void EndsWithThisProgram(QProcess& process) {
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

// SIGTERM to the PID this program started, and SIGKILL if it does not end.
void End(QProcess& process) {
    if (process.state() != QProcess::NotRunning) {
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
}

std::unique_ptr<TPulseServer> Shared;

// The shared server ends once the tests are over, while the application still exists.
class TPulseEnvironment : public testing::Environment {
public:
    void TearDown() override { Shared.reset(); }
};
[[maybe_unused]] testing::Environment* const PulseEnvironment =
    testing::AddGlobalTestEnvironment(new TPulseEnvironment);

} // namespace

TPulseServer::TPulseServer() {
    const QString program = QStandardPaths::findExecutable("pulseaudio");
    if (program.isEmpty() || QStandardPaths::findExecutable("pactl").isEmpty() ||
        QStandardPaths::findExecutable("parec").isEmpty()) {
        FMissing = true;
        FProblem = "pulseaudio, pactl or parec is not installed";
        return;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Its own home, runtime and state folders, and no session bus or display, keep it away from
    // any desktop server of the machine and from every other test's.
    env.insert("HOME", FFolder.path());
    env.insert("XDG_RUNTIME_DIR", FFolder.path());
    env.insert("XDG_CONFIG_HOME", FFolder.filePath("config"));
    env.insert("PULSE_RUNTIME_PATH", FFolder.filePath("runtime"));
    env.insert("PULSE_STATE_PATH", FFolder.filePath("state"));
    for (const char* name : {"PULSE_SERVER", "DBUS_SESSION_BUS_ADDRESS", "DISPLAY"}) {
        env.remove(name);
    }
    FProcess.setProcessEnvironment(env);
    FProcess.setStandardOutputFile(FFolder.filePath("server.log"));
    FProcess.setStandardErrorFile(FFolder.filePath("server.log"), QIODevice::Append);
    EndsWithThisProgram(FProcess);
    FProcess.start(program, {"--daemonize=no", "--exit-idle-time=-1", "--system=false", "-n",
                             "--disallow-exit", "--use-pid-file=no", "--disable-shm=yes",
                             "--load=module-null-sink sink_name=" + QString(SinkName) +
                                 " rate=44100 channels=2",
                             "--load=module-native-protocol-unix auth-anonymous=1 socket=" +
                                 FFolder.filePath("native")});
    if (!FProcess.waitForStarted(StartTimeoutMs) || !WaitUntilAnswering()) {
        QFile log(FFolder.filePath("server.log"));
        log.open(QIODevice::ReadOnly);
        FProblem = "the sound server did not start: " + QString::fromLocal8Bit(log.readAll());
        return;
    }
    // This program's own sound (Qt's audio outputs) goes to this server only.
    const QProcessEnvironment client = ClientEnvironment();
    for (const char* name : {"PULSE_SERVER", "PULSE_COOKIE", "PULSE_CLIENTCONFIG"}) {
        qputenv(name, client.value(name).toLocal8Bit());
    }
    FRunning = true;
}

TPulseServer::~TPulseServer() {
    End(FProcess);
}

QProcessEnvironment TPulseServer::ClientEnvironment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PULSE_SERVER", "unix:" + FFolder.filePath("native"));
    env.insert("PULSE_COOKIE", FFolder.filePath("cookie"));
    env.insert("PULSE_CLIENTCONFIG", FFolder.filePath("client.conf")); // none: the defaults
    return env;
}

bool TPulseServer::WaitUntilAnswering() {
    const QDeadlineTimer deadline(StartTimeoutMs);
    while (!deadline.hasExpired() && FProcess.state() == QProcess::Running) {
        if (QFileInfo::exists(FFolder.filePath("native"))) {
            QProcess probe;
            probe.setProcessEnvironment(ClientEnvironment());
            probe.start("pactl", {"info"});
            if (probe.waitForFinished(10000) && probe.exitCode() == 0) {
                return true;
            }
        }
        QThread::msleep(50);
    }
    return false;
}

TPulseServer& SharedPulseServer() {
    if (!Shared) {
        Shared = std::make_unique<TPulseServer>();
    }
    return *Shared;
}

TSinkRecorder::TSinkRecorder(const TPulseServer& server) {
    FProcess.setProcessEnvironment(server.ClientEnvironment());
    QObject::connect(&FProcess, &QProcess::readyReadStandardOutput, &FProcess,
                     [this] { FData += FProcess.readAllStandardOutput(); });
    EndsWithThisProgram(FProcess);
    FProcess.start("parec", {"--raw", "--latency-msec=20", "--format=s16le", "--rate=44100",
                             "--channels=1", "-d", QString(TPulseServer::SinkName) + ".monitor"});
    // Sound played before the recorder is attached would go unheard.
    FProcess.waitForStarted(LongWaitMs);
    (void)QTest::qWaitFor(
        [this] { return SampleCount() > 0 || FProcess.state() == QProcess::NotRunning; },
        LongWaitMs);
}

TSinkRecorder::~TSinkRecorder() {
    End(FProcess);
}

bool TSinkRecorder::IsRecording() const {
    return FProcess.state() == QProcess::Running && SampleCount() > 0;
}

bool TSinkRecorder::Record(int ms) {
    const qsizetype until = SampleCount() + qsizetype(ms) * Rate / 1000;
    return QTest::qWaitFor([&] { return SampleCount() >= until || !IsRecording(); }, LongWaitMs) &&
           IsRecording();
}

bool TSinkRecorder::WaitForSound(qsizetype from) {
    return QTest::qWaitFor([&] { return Peak(from) > Audible; }, LongWaitMs);
}

bool TSinkRecorder::WaitUntilQuiet(int ms, int level) {
    const qsizetype span = qsizetype(ms) * Rate / 1000;
    return QTest::qWaitFor(
        [&] { return SampleCount() >= span && Peak(SampleCount() - span) < level; }, LongWaitMs);
}

int TSinkRecorder::Peak(qsizetype from, qsizetype to) const {
    const auto* samples = reinterpret_cast<const qint16*>(FData.constData());
    int peak = 0;
    for (qsizetype i = from; i < (to < 0 ? SampleCount() : std::min(to, SampleCount())); ++i) {
        peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    }
    return peak;
}

int TSinkRecorder::CountOnsets(int quietMs, qsizetype from) const {
    constexpr qsizetype Window = Rate / 50;
    constexpr double LoudLevel = 300.0;
    constexpr double QuietLevel = 30.0;
    const int quietWindowsNeeded = quietMs / 20;
    int onsets = 0;
    int quietWindows = quietWindowsNeeded; // the recording starts in silence
    const auto* samples = reinterpret_cast<const qint16*>(FData.constData());
    for (qsizetype first = from; first + Window <= SampleCount(); first += Window) {
        double sum = 0;
        for (qsizetype i = first; i < first + Window; ++i) {
            sum += double(samples[i]) * samples[i];
        }
        const double level = std::sqrt(sum / double(Window));
        if (level >= LoudLevel) {
            if (quietWindows >= quietWindowsNeeded) {
                ++onsets;
            }
            quietWindows = 0;
        } else if (level < QuietLevel) {
            ++quietWindows;
        }
    }
    return onsets;
}
