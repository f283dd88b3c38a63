// Wave audio: a ".wav" file played through the sound effect player of the default audio output.
#include "sound/MediaDevice.h"
#include "sound/MediaPlayer.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace {

// The file must at least look like a RIFF wave, so a broken file fails at open, not later.
void CheckWaveFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw EMCIDeviceError("Cannot find the specified file '" + path.toStdString() + "'");
    }
    const QByteArray head = file.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE") {
        throw EMCIDeviceError("The file '" + path.toStdString() + "' is not a wave file");
    }
}

class TWaveDevice final : public TMediaDevice {
public:
    explicit TWaveDevice(const QString& path) {
        FEffect.setSource(QUrl::fromLocalFile(path));
        QObject::connect(&FEffect, &QSoundEffect::playingChanged, &FEffect, [this] {
            if (!FEffect.isPlaying() && FPlaying) {
                Finish(true);
            }
        });
        QObject::connect(&FEffect, &QSoundEffect::statusChanged, &FEffect, [this] {
            if (FEffect.status() == QSoundEffect::Error && FPlaying) {
                Finish(false);
            }
        });
    }

    void Play() override {
        FPlaying = true;
        if (FEffect.status() == QSoundEffect::Error) {
            // Reported later, like any other end of a play.
            QMetaObject::invokeMethod(
                &FEffect, [this] { Finish(false); }, Qt::QueuedConnection);
            return;
        }
        FEffect.play();
    }

    void Stop() override {
        // Cleared first: the effect reports its stop at once, and that is not an end.
        FPlaying = false;
        FEffect.stop();
    }

    // The effect always plays from its start, so there is no position to move.
    void Rewind() override {}

    bool IsPlaying() const override { return FPlaying; }

private:
    void Finish(bool reachedEnd) {
        if (!FPlaying) {
            return;
        }
        FPlaying = false;
        if (OnFinished) {
            OnFinished(reachedEnd);
        }
    }

    QSoundEffect FEffect;
    bool FPlaying = false;
};

} // namespace

std::unique_ptr<TMediaDevice> OpenWaveDevice(const QString& path) {
    CheckWaveFile(path);
    // Without an output the effect would claim to play for ever; no device is the honest answer.
    if (QMediaDevices::audioOutputs().isEmpty()) {
        throw EMCIDeviceError("There is no wave audio output");
    }
    return std::make_unique<TWaveDevice>(path);
}
