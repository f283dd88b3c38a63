// The audio module's entry point: opens a device and hands errors back as text, so no exception
// crosses into the program that loaded the module.
#include "sound/MediaDevice.h"

extern "C" Q_DECL_EXPORT TMediaDevice* RennorOpenAudioDevice(TAudioKind kind, const QString& path,
                                                             std::string& error) {
    try {
        return (kind == TAudioKind::Wave ? OpenWaveDevice(path) : OpenMidiDevice(path)).release();
    } catch (const std::exception& e) {
        error = e.what();
        return nullptr;
    }
}
