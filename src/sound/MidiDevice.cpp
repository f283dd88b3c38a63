// MIDI sequencer: a ".mid" file rendered by a software synthesizer with a General MIDI
// soundfont and played through the default audio output, like wave audio.
#include "sound/MediaDevice.h"
#include "sound/MediaPlayer.h"
#include "sound/SoundFont.h"
#include "sound/SynthStream.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QFile>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QTimer>
#include <thread>

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

// A quarter of a second: enough for a busy interface thread, short enough that Stop is heard
// at once.
constexpr int BufferMs = 250;
// After the tune ends the output keeps running a moment, so a replay follows without a seam.
constexpr int IdleOutputMs = 2000;

// The soundfont loads on a worker thread, so opening returns at once; a play asked for before
// it is ready starts as soon as it is.
class TMidiDevice final : public TMediaDevice {
public:
    TMidiDevice(QByteArray data, const QString& soundFont, const QAudioDevice& output)
        : FOutput(output) {
        FIdle.setSingleShot(true);
        FIdle.setInterval(IdleOutputMs);
        QObject::connect(&FIdle, &QTimer::timeout, &FIdle, [this] {
            if (FSink) {
                FSink->stop();
            }
        });
        FLoader = std::thread([this, data = std::move(data), soundFont] {
            std::shared_ptr<TSynth> synth;
            try {
                synth = LoadSynth(soundFont);
            } catch (const EMCIDeviceError&) {
            }
            // The device waits for this thread before it goes, so FIdle is still there.
            QMetaObject::invokeMethod(
                &FIdle, [this, data, synth]() mutable { Loaded(data, std::move(synth)); },
                Qt::QueuedConnection);
        });
    }

    ~TMidiDevice() override {
        FLoader.join();
        if (FSink) {
            FSink->stop();
        }
    }

    void Play() override {
        FPlaying = true;
        FIdle.stop();
        if (FFailed) {
            PostFinish(false);
        } else if (FStream) {
            Start();
        }
    }

    void Stop() override {
        FPlaying = false;
        FIdle.stop();
        if (FStream) {
            FStream->Stop();
            FSink->stop();
        }
    }

    void Rewind() override {
        if (FStream) {
            FStream->Rewind();
        }
    }

    bool IsPlaying() const override { return FPlaying; }

private:
    void Loaded(const QByteArray& data, std::shared_ptr<TSynth> synth) {
        try {
            if (!synth) {
                throw EMCIDeviceError("The soundfont cannot be loaded");
            }
            FStream =
                std::make_unique<TSynthStream>(data, std::make_unique<TSynth>(std::move(*synth)));
        } catch (const EMCIDeviceError&) {
            FFailed = true;
            Finish(false);
            return;
        }
        FSink = std::make_unique<QAudioSink>(FOutput, FStream->Format());
        FSink->setBufferSize(FStream->Format().bytesForDuration(BufferMs * 1000));
        // A stream the sound server drops ends the play as a failure.
        QObject::connect(
            FSink.get(), &QAudioSink::stateChanged, &FIdle, [this](QAudio::State state) {
                if (state == QAudio::StoppedState && FSink->error() != QAudio::NoError) {
                    Finish(false);
                }
            });
        // Posted: the end is found while the output reads, not a moment to call back from.
        FStream->OnEnd = [this](bool played) { PostFinish(played); };
        if (FPlaying) {
            Start();
        }
    }

    void Start() {
        FStream->Play();
        if (FSink->state() == QAudio::StoppedState) {
            FSink->start(FStream.get());
        }
        if (FSink->error() != QAudio::NoError) {
            PostFinish(false);
        }
    }

    void PostFinish(bool reachedEnd) {
        QMetaObject::invokeMethod(
            &FIdle, [this, reachedEnd] { Finish(reachedEnd); }, Qt::QueuedConnection);
    }

    void Finish(bool reachedEnd) {
        if (!FPlaying) {
            return;
        }
        FPlaying = false;
        FIdle.start();
        if (OnFinished) {
            OnFinished(reachedEnd);
        }
    }

    QAudioDevice FOutput;
    std::unique_ptr<TSynthStream> FStream;
    std::unique_ptr<QAudioSink> FSink;
    QTimer FIdle;
    std::thread FLoader;
    bool FPlaying = false;
    bool FFailed = false;
};

} // namespace

std::unique_ptr<TMediaDevice> OpenMidiDevice(const QString& path) {
    RouteSynthLog();
    QByteArray data = ReadMidiFile(path);
    // Checked before the soundfont is loaded, so a silent machine answers at once.
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) {
        throw EMCIDeviceError("There is no MIDI audio output");
    }
    const QString soundFont = FindSoundFont(path);
    if (soundFont.isEmpty()) {
        throw EMCIDeviceError("No General MIDI soundfont was found");
    }
    return std::make_unique<TMidiDevice>(std::move(data), soundFont, output);
}
