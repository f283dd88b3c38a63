// The media player's bookkeeping: the open device, the position at the end, and which play
// waits for its result.
#include "sound/MediaPlayer.h"

#include "sound/MediaDevice.h"

#include <QFileInfo>

namespace {

bool IsMidiExtension(const QString& suffix) {
    return suffix == "mid" || suffix == "midi" || suffix == "rmi";
}

} // namespace

TMediaPlayer::TMediaPlayer(QObject* parent) : QObject(parent) {}

TMediaPlayer::~TMediaPlayer() {
    FPending = false; // nobody is left to tell
    Close();
}

bool TMediaPlayer::IsPlaying() const {
    return FDevice && FDevice->IsPlaying();
}

void TMediaPlayer::Open() {
    Close();
    const QString suffix = QFileInfo(FFileName).suffix().toLower();
    std::unique_ptr<TMediaDevice> device;
    if (suffix == "wav") {
        device = OpenAudioDevice(TAudioKind::Wave, FFileName);
    } else if (IsMidiExtension(suffix)) {
        device = OpenAudioDevice(TAudioKind::Midi, FFileName);
    } else {
        throw EMCIDeviceError("The specified file cannot be played: unknown device type for '" +
                              FFileName.toStdString() + "'");
    }
    device->OnFinished = [this](bool reachedEnd) { DeviceFinished(reachedEnd); };
    FDevice = std::move(device);
    FAtEnd = false;
}

void TMediaPlayer::Close() {
    if (!FDevice) {
        return;
    }
    FDevice->OnFinished = nullptr;
    FDevice->Stop();
    FDevice.reset();
    Report(TNotifyResult::Aborted);
}

void TMediaPlayer::Play() {
    RequireOpen();
    Report(TNotifyResult::Superseded);
    FPending = true;
    if (FDevice->IsPlaying()) {
        return;
    }
    if (FAtEnd) {
        if (!FAutoRewind) {
            // Nothing is left to play: the play is over as soon as it starts.
            Report(TNotifyResult::Successful);
            return;
        }
        Rewind();
    }
    FDevice->Play();
}

void TMediaPlayer::Stop() {
    RequireOpen();
    FDevice->Stop();
    Report(TNotifyResult::Aborted);
}

void TMediaPlayer::Rewind() {
    RequireOpen();
    FDevice->Rewind();
    FAtEnd = false;
}

void TMediaPlayer::RequireOpen() const {
    if (!FDevice) {
        throw EMCIDeviceError("No MCI device open");
    }
}

void TMediaPlayer::DeviceFinished(bool reachedEnd) {
    if (reachedEnd) {
        FAtEnd = true;
    }
    Report(reachedEnd ? TNotifyResult::Successful : TNotifyResult::Failure);
}

void TMediaPlayer::Report(TNotifyResult result) {
    if (!FPending) {
        return;
    }
    FPending = false;
    // Posted, so a handler may start the next play without re-entering this one.
    QMetaObject::invokeMethod(
        this,
        [this, result] {
            FNotifyValue = result;
            emit Notify(result);
        },
        Qt::QueuedConnection);
}
