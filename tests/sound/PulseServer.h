// A private sound server with a null sink for the audio tests, and a recorder of what reaches it.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// Starts `pulseaudio` with one null sink and an anonymous socket in a temporary folder of its
// own, away from any other server of the machine, points this program's PULSE_SERVER at it, and
// ends that process (by its PID) when destroyed. Its process makes it one of a kind.
class TPulseServer {
public:
    TPulseServer();
    ~TPulseServer();

    bool IsRunning() const { return FRunning; }
    // Why the server is not running: a missing program (the test should skip) or a failed start.
    QString Problem() const { return FProblem; }
    bool IsMissing() const { return FMissing; }
    // The environment of a client of this server only.
    QProcessEnvironment ClientEnvironment() const;

    static constexpr const char* SinkName = "rennor_test";

private:
    bool WaitUntilAnswering();

    QTemporaryDir FFolder;
    QProcess FProcess;
    bool FRunning = false;
    bool FMissing = false;
    QString FProblem;
};

// The one server of a test program (each test runs as a program of its own), started at first
// use and ended after the last test; null sink ready or a reason in Problem.
TPulseServer& SharedPulseServer();

// Records the null sink's monitor as 16-bit mono samples at 44.1 kHz with `parec`. The sink
// plays silence while nothing else plays, so samples arrive at the sink's own pace: a count of
// samples is a span of the sink's time, however late the recording reaches this program.
class TSinkRecorder {
public:
    static constexpr int Rate = 44100;
    static constexpr int LongWaitMs = 60000; // generous for a loaded machine
    // About -30 dB below full scale: far above the exact zeros of a silent null sink.
    static constexpr int Audible = 1000;

    // Returns once the first samples have arrived, or after LongWaitMs.
    explicit TSinkRecorder(const TPulseServer& server);
    ~TSinkRecorder();

    // Running and receiving samples.
    bool IsRecording() const;
    // Samples received so far; the event loop must run for more to arrive.
    qsizetype SampleCount() const { return FData.size() / 2; }
    // Runs the event loop until ms more of the sink's time have been recorded.
    bool Record(int ms);
    // Runs the event loop until a sample from sample `from` on is audible.
    bool WaitForSound(qsizetype from = 0);
    // Runs the event loop until the last ms recorded are all below level.
    bool WaitUntilQuiet(int ms, int level);
    // The largest absolute sample from sample `from` on (to `to`, or the end).
    int Peak(qsizetype from = 0, qsizetype to = -1) const;
    // Starts of sound after at least quietMs of near silence, counted in 20 ms windows.
    int CountOnsets(int quietMs, qsizetype from = 0) const;

private:
    QProcess FProcess;
    QByteArray FData;
};
