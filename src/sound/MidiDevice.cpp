// MIDI sequencer: a ".mid" file rendered by a software synthesizer with a General MIDI
// soundfont, straight to the desktop's sound server.
#include "sound/MediaDevice.h"
#include "sound/MediaPlayer.h"
#include "sound/SoundFont.h"

#include <QFile>
#include <QLoggingCategory>
#include <QTimer>
#include <fluidsynth.h>

namespace {

Q_LOGGING_CATEGORY(lcMidi, "rennor.sound.midi", QtWarningMsg)

// The synthesizer's own messages go to a logging category that is quiet unless asked for.
void LogFromSynth(int level, const char* message, void*) {
    qCDebug(lcMidi) << level << message;
}

void RouteSynthLog() {
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) {
        fluid_set_log_function(level, LogFromSynth, nullptr);
    }
}

QByteArray ReadMidiFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw EMCIDeviceError("Cannot find the specified file '" + path.toStdString() + "'");
    }
    QByteArray data = file.readAll();
    if (!data.startsWith("MThd")) {
        throw EMCIDeviceError("The file '" + path.toStdString() + "' is not a MIDI file");
    }
    return data;
}

// On Linux the sound server, as for wave audio: without one the music is silent like the rest,
// rather than fighting the desktop for a raw device. Elsewhere the synthesizer's default.
const char* AudioDriver() {
#if defined(Q_OS_LINUX)
    return "pulseaudio";
#else
    return nullptr;
#endif
}

template <auto Delete> struct TFluidDelete {
    template <typename T> void operator()(T* object) const { Delete(object); }
};
using TSettingsPtr = std::unique_ptr<fluid_settings_t, TFluidDelete<delete_fluid_settings>>;
using TSynthPtr = std::unique_ptr<fluid_synth_t, TFluidDelete<delete_fluid_synth>>;
using TSequencePtr = std::unique_ptr<fluid_player_t, TFluidDelete<delete_fluid_player>>;
using TDriverPtr = std::unique_ptr<fluid_audio_driver_t, TFluidDelete<delete_fluid_audio_driver>>;

class TMidiDevice final : public TMediaDevice {
public:
    TMidiDevice(QByteArray data, const QString& soundFont)
        : FData(std::move(data)), FSettings(new_fluid_settings()) {
        fluid_settings_setnum(FSettings.get(), "synth.gain", 0.6);
        // Larger blocks than the synthesizer's default keep the sound server's wake-ups rare;
        // background music does not need low latency.
        fluid_settings_setint(FSettings.get(), "audio.period-size", 1024);
        fluid_settings_setint(FSettings.get(), "audio.periods", 4);
        FSynth.reset(new_fluid_synth(FSettings.get()));
        if (FSynth == nullptr ||
            fluid_synth_sfload(FSynth.get(), soundFont.toLocal8Bit().constData(), 1) ==
                FLUID_FAILED) {
            throw EMCIDeviceError("The soundfont '" + soundFont.toStdString() +
                                  "' cannot be loaded");
        }
        if (AudioDriver() != nullptr) {
            fluid_settings_setstr(FSettings.get(), "audio.driver", AudioDriver());
        }
        FDriver.reset(new_fluid_audio_driver(FSettings.get(), FSynth.get()));
        if (FDriver == nullptr) {
            throw EMCIDeviceError("There is no MIDI audio output");
        }
        NewSequence();
        FWatch.setInterval(50);
        QObject::connect(&FWatch, &QTimer::timeout, &FWatch, [this] { CheckEnd(); });
    }

    // The driver goes first (members end in reverse order), so no audio thread still reads the
    // synthesizer while it goes.
    ~TMidiDevice() override = default;

    void Play() override {
        FPlaying = true;
        if (fluid_player_play(FSequence.get()) == FLUID_FAILED) {
            QMetaObject::invokeMethod(
                &FWatch, [this] { Finish(false); }, Qt::QueuedConnection);
            return;
        }
        FWatch.start();
    }

    void Stop() override {
        FPlaying = false;
        FWatch.stop();
        fluid_player_stop(FSequence.get());
        fluid_synth_all_notes_off(FSynth.get(), -1);
    }

    // A fresh sequence starts at the first tick with the file's own tempo and programs.
    void Rewind() override {
        Stop();
        FSequence.reset();
        NewSequence();
    }

    bool IsPlaying() const override { return FPlaying; }

private:
    void NewSequence() {
        FSequence.reset(new_fluid_player(FSynth.get()));
        if (FSequence == nullptr || fluid_player_add_mem(FSequence.get(), FData.constData(),
                                                         FData.size()) == FLUID_FAILED) {
            throw EMCIDeviceError("The MIDI file cannot be read");
        }
    }

    // The end is the last tick: the synthesizer itself reports it only after a grace period of
    // its own, which would leave a gap in the looping music.
    void CheckEnd() {
        fluid_player_t* sequence = FSequence.get();
        if (fluid_player_get_current_tick(sequence) >= fluid_player_get_total_ticks(sequence) ||
            fluid_player_get_status(sequence) == FLUID_PLAYER_DONE) {
            fluid_player_stop(sequence);
            Finish(true);
        }
    }

    void Finish(bool reachedEnd) {
        FWatch.stop();
        if (!FPlaying) {
            return;
        }
        FPlaying = false;
        if (OnFinished) {
            OnFinished(reachedEnd);
        }
    }

    QByteArray FData;
    TSettingsPtr FSettings;
    TSynthPtr FSynth;
    TSequencePtr FSequence;
    TDriverPtr FDriver;
    // The synthesizer has no end callback, so a light timer looks while a play runs.
    QTimer FWatch;
    bool FPlaying = false;
};

} // namespace

std::unique_ptr<TMediaDevice> OpenMidiDevice(const QString& path) {
    RouteSynthLog();
    QByteArray data = ReadMidiFile(path);
    const QString soundFont = FindSoundFont(path);
    if (soundFont.isEmpty()) {
        throw EMCIDeviceError("No General MIDI soundfont was found");
    }
    return std::make_unique<TMidiDevice>(std::move(data), soundFont);
}
