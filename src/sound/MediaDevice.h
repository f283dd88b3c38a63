// The device behind a media player: one open sound file that can play, stop and seek to its start.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>

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

enum class TAudioKind { Wave, Midi };

// Opens the device of that kind for the file, through the audio module: the audio libraries
// (the toolkit's multimedia and the synthesizer, some fifty shared libraries with theirs) load
// only when a sound first plays, not with the program. Throws EMCIDeviceError with a reason when
// the module, the file or the output cannot be used.
std::unique_ptr<TMediaDevice> OpenAudioDevice(TAudioKind kind, const QString& path);

// Inside the audio module: each opener throws EMCIDeviceError with a reason.
std::unique_ptr<TMediaDevice> OpenWaveDevice(const QString& path);
std::unique_ptr<TMediaDevice> OpenMidiDevice(const QString& path);

// The module's one entry point: the device, or null with the reason in error.
extern "C" TMediaDevice* RennorOpenAudioDevice(TAudioKind kind, const QString& path,
                                               std::string& error);
