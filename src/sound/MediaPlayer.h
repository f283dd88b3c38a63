// The invisible media player of the main window: opens a sound file by name and plays it
// without waiting, reporting how each play ended.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <stdexcept>

class TMediaDevice;

// How the last play ended: played to its end, replaced by a newer play, stopped or closed
// before its end, or broken.
enum class TNotifyResult { Successful, Superseded, Aborted, Failure };

// Raised by Open when the file cannot be played, and by Play, Stop and Rewind without an open
// device ("No MCI device open").
class EMCIDeviceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The device is chosen by the file's extension: ".wav" is wave audio, ".mid" (or ".midi",
// ".rmi") a MIDI sequencer with a General MIDI soundfont. Play is asynchronous; its end arrives
// later through Notify, always on the thread that owns the player and never from inside a call
// of this class. Without any audio output, Open fails, so callers that swallow its error stay
// silent.
class TMediaPlayer : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)
    Q_PROPERTY(bool AutoRewind READ AutoRewind WRITE SetAutoRewind)

public:
    explicit TMediaPlayer(QObject* parent = nullptr);
    ~TMediaPlayer() override;

    QString FileName() const { return FFileName; }
    void SetFileName(const QString& name) { FFileName = name; }
    // A play issued while the position equals the length seeks to the start first.
    bool AutoRewind() const { return FAutoRewind; }
    void SetAutoRewind(bool on) { FAutoRewind = on; }

    bool IsOpen() const { return FDevice != nullptr; }
    bool IsPlaying() const;
    // The result of the last play that has been reported through Notify.
    TNotifyResult NotifyValue() const { return FNotifyValue; }

    // Closes an open device, then opens FileName.
    void Open();
    void Close();
    // Plays from the current position; Notify reports the end.
    void Play();
    // Stops at the current position; a play still running reports Aborted.
    void Stop();
    // Seeks to the start.
    void Rewind();

signals:
    void Notify(TNotifyResult result);

private:
    void RequireOpen() const;
    void DeviceFinished(bool reachedEnd);
    // Ends the running play's wait for a result with the given one.
    void Report(TNotifyResult result);

    QString FFileName;
    bool FAutoRewind = true;
    bool FAtEnd = false;
    bool FPending = false;
    TNotifyResult FNotifyValue = TNotifyResult::Successful;
    std::unique_ptr<TMediaDevice> FDevice;
};
