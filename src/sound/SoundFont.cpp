// Soundfont search: a font shipped beside the tune wins over the system's.
#include "sound/SoundFont.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Well-known General MIDI fonts, the distribution's chosen default first.
const QStringList KnownFonts = {"default-GM.sf2", "TimGM6mb.sf2", "FluidR3_GM.sf2",
                                "GeneralUser GS.sf2", "default.sf2"};

QString FirstFontIn(const QString& folder) {
    const QStringList fonts = QDir(folder).entryList({"*.sf2", "*.SF2"}, QDir::Files, QDir::Name);
    return fonts.isEmpty() ? QString() : QDir(folder).filePath(fonts.first());
}

} // namespace

QStringList SystemSoundFontFolders() {
    QStringList folders;
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        folders << data + "/sounds/sf2" << data + "/soundfonts";
    }
    folders << "/usr/share/sounds/sf2"
            << "/usr/share/soundfonts"
            << "/usr/local/share/soundfonts";
    folders.removeDuplicates();
    return folders;
}

QString FindSoundFont(const QString& midiPath) {
    const QString beside = FirstFontIn(QFileInfo(midiPath).absolutePath());
    if (!beside.isEmpty()) {
        return beside;
    }
    const QStringList folders = SystemSoundFontFolders();
    for (const QString& name : KnownFonts) {
        for (const QString& folder : folders) {
            const QString path = QDir(folder).filePath(name);
            if (QFileInfo(path).isFile()) {
                return path;
            }
        }
    }
    for (const QString& folder : folders) {
        const QString any = FirstFontIn(folder);
        if (!any.isEmpty()) {
            return any;
        }
    }
    return {};
}
