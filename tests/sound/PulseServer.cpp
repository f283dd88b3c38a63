// The private sound server and the monitor recorder of the audio tests.
#include "PulseServer.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr int StartTimeoutMs = 20000;

QProcessEnvironment ServerEnvironment(const QString& folder) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Its own home and runtime folders keep it away from any desktop server of the machine.
    env.insert("HOME", folder);
    env.insert("XDG_RUNTIME_DIR", folder);
    env.insert("XDG_CONFIG_HOME", folder + "/config");
    env.insert("PULSE_RUNTIME_PATH", folder + "/runtime");
    env.remove("PULSE_SERVER");
    return env;
}

} // namespace

TPulseServer::TPulseServer() {
    const QString program = QStandardPaths::findExecutable("pulseaudio");
    if (program.isEmpty() || QStandardPaths::findExecutable("pactl").isEmpty() ||
        QStandardPaths::findExecutable("parec").isEmpty()) {
        FMissing = true;
        FProblem = "pulseaudio, pactl or parec is not installed";
        return;
    }
    if (!FFolder.isValid()) {
        FProblem = "no temporary folder";
        return;
    }
    const QString socket = FFolder.filePath("native");
    FProcess.setProcessEnvironment(ServerEnvironment(FFolder.path()));
    FProcess.setStandardOutputFile(FFolder.filePath("server.log"));
    FProcess.setStandardErrorFile(FFolder.filePath("server.log"), QIODevice::Append);
    FProcess.start(
        program,
        {"--daemonize=no", "--exit-idle-time=-1", "--system=false", "-n", "--disallow-exit",
         "--use-pid-file=no", "--disable-shm=yes",
         "--load=module-null-sink sink_name=" + QString(SinkName) + " rate=44100 channels=2",
         "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket});
    if (!FProcess.waitForStarted(StartTimeoutMs) || !WaitUntilAnswering()) {
        QFile log(FFolder.filePath("server.log"));
        log.open(QIODevice::ReadOnly);
        FProblem = "the sound server did not start: " + QString::fromLocal8Bit(log.readAll());
        return;
    }
    qputenv("PULSE_SERVER", Address().toLocal8Bit());
    FRunning = true;
}

TPulseServer::~TPulseServer() {
    if (FProcess.state() == QProcess::NotRunning) {
        return;
    }
    FProcess.terminate(); // SIGTERM to the PID this object started
    if (!FProcess.waitForFinished(5000)) {
        FProcess.kill();
        FProcess.waitForFinished(5000);
    }
}

QString TPulseServer::Address() const {
    return "unix:" + FFolder.filePath("native");
}

bool TPulseServer::WaitUntilAnswering() {
    const QDeadlineTimer deadline(StartTimeoutMs);
    while (!deadline.hasExpired() && FProcess.state() == QProcess::Running) {
        if (QFileInfo::exists(FFolder.filePath("native"))) {
            QProcess probe;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("PULSE_SERVER", Address());
            probe.setProcessEnvironment(env);
            probe.start("pactl", {"info"});
            if (probe.waitForFinished(5000) && probe.exitCode() == 0) {
                return true;
            }
        }
        QThread::msleep(50);
    }
    return false;
}

namespace {
std::unique_ptr<TPulseServer> Shared;
} // namespace

TPulseServer& SharedPulseServer() {
    if (!Shared) {
        Shared = std::make_unique<TPulseServer>();
    }
    return *Shared;
}

namespace {

// The shared server ends once the tests are over, while the application still exists.
class TPulseEnvironment : public testing::Environment {
public:
    void TearDown() override { Shared.reset(); }
};
[[maybe_unused]] testing::Environment* const PulseEnvironment =
    testing::AddGlobalTestEnvironment(new TPulseEnvironment);

} // namespace

TSinkRecorder::TSinkRecorder(const TPulseServer& server) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PULSE_SERVER", server.Address());
    FProcess.setProcessEnvironment(env);
    QObject::connect(&FProcess, &QProcess::readyReadStandardOutput, &FProcess,
                     [this] { FData += FProcess.readAllStandardOutput(); });
    FProcess.start("parec", {"--raw", "--latency-msec=20", "--format=s16le", "--rate=44100",
                             "--channels=1", "-d", QString(TPulseServer::SinkName) + ".monitor"});
    FProcess.waitForStarted(10000);
}

TSinkRecorder::~TSinkRecorder() {
    if (FProcess.state() != QProcess::NotRunning) {
        FProcess.terminate();
        if (!FProcess.waitForFinished(5000)) {
            FProcess.kill();
            FProcess.waitForFinished(5000);
        }
    }
}

bool TSinkRecorder::IsRecording() const {
    return FProcess.state() == QProcess::Running;
}

int TSinkRecorder::Peak(qsizetype from) const {
    const auto* samples = reinterpret_cast<const qint16*>(FData.constData());
    int peak = 0;
    for (qsizetype i = from; i < SampleCount(); ++i) {
        peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    }
    return peak;
}

double TSinkRecorder::WindowLevel(qsizetype first, qsizetype count) const {
    const auto* samples = reinterpret_cast<const qint16*>(FData.constData());
    double sum = 0;
    for (qsizetype i = first; i < first + count; ++i) {
        sum += double(samples[i]) * samples[i];
    }
    return std::sqrt(sum / double(count));
}

int TSinkRecorder::CountOnsets(int quietMs, qsizetype from) const {
    constexpr qsizetype Window = Rate / 50;
    constexpr double LoudLevel = 300.0;
    constexpr double QuietLevel = 30.0;
    const int quietWindowsNeeded = quietMs / 20;
    int onsets = 0;
    int quietWindows = quietWindowsNeeded; // the recording starts in silence
    for (qsizetype first = from; first + Window <= SampleCount(); first += Window) {
        const double level = WindowLevel(first, Window);
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
