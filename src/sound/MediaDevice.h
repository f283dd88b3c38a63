// The device behind a media player: one open sound file that can play, stop and seek to its start.
#pragma once

#include <QString>
#include <functional>
#include <memory>

class QObject;

class TMediaDevice {
public:
    virtual ~TMediaDevice() = default;

    // Reports the end of a play: true when the sound reached its end, false when it failed.
    // Called on the thread that owns the device, never from inside Play, Stop or Rewind.
    std::function<void(bool reachedEnd)> OnFinished;

    virtual void Play() = 0;
    virtual void Stop() = 0;
    virtual void Rewind() = 0;
    virtual bool IsPlaying() const = 0;
};

// Each opener throws EMCIDeviceError with a reason when the file or the output cannot be used.
std::unique_ptr<TMediaDevice> OpenWaveDevice(const QString& path);
std::unique_ptr<TMediaDevice> OpenMidiDevice(const QString& path);
