// Finding a General MIDI soundfont for the music: beside the tune first, then where systems keep
// one.
#pragma once

#include <QString>
#include <QStringList>

// The folders searched, in order, after the tune's own folder.
QStringList SystemSoundFontFolders();
// The first ".sf2" file beside midiPath, else the best known soundfont of the system folders,
// else any ".sf2" there; empty when there is none.
QString FindSoundFont(const QString& midiPath);
