// Finds and loads the audio module the first time a sound opens: beside the program, where it is
// installed, or where it was built.
#include "sound/MediaDevice.h"
#include "sound/MediaPlayer.h"

#include <QCoreApplication>
#include <QLibrary>

namespace {

using TOpener = TMediaDevice* (*)(TAudioKind, const QString&, std::string&);

// Loaded once and kept for the whole run: devices of the module may live until the end.
TOpener LoadOpener() {
    const QString program = QCoreApplication::applicationDirPath();
    const QString places[] = {program, program + QStringLiteral("/../" RENNOR_AUDIO_INSTALL_DIR),
                              QStringLiteral(RENNOR_AUDIO_BUILD_DIR)};
    for (const QString& place : places) {
        QLibrary module(place + QStringLiteral("/rennor-audio"));
        if (auto opener = reinterpret_cast<TOpener>(module.resolve("RennorOpenAudioDevice"))) {
            return opener;
        }
    }
    return nullptr;
}

} // namespace

std::unique_ptr<TMediaDevice> OpenAudioDevice(TAudioKind kind, const QString& path) {
    static const TOpener opener = LoadOpener();
    if (opener == nullptr) {
        throw EMCIDeviceError("The audio module cannot be loaded");
    }
    std::string error;
    std::unique_ptr<TMediaDevice> device(opener(kind, path, error));
    if (!device) {
        throw EMCIDeviceError(error);
    }
    return device;
}
