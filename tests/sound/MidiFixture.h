// Tiny MIDI files written by the tests: one note, then silence until the end of the track.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

inline QByteArray VariableLength(quint32 value) {
    QByteArray out(1, char(value & 0x7F));
    while ((value >>= 7) != 0) {
        out.prepend(char(0x80 | (value & 0x7F)));
    }
    return out;
}

// At 120 beats a minute and 480 ticks a beat, a tick is 1/960 s.
inline QByteArray OneNoteMidi(int noteMs, int totalMs) {
    const auto ticks = [](int ms) { return quint32(ms) * 960 / 1000; };
    QByteArray track;
    track += VariableLength(0) + QByteArray("\xC0\x00", 2);     // piano
    track += VariableLength(0) + QByteArray("\x90\x48\x7F", 3); // C5, loud
    track += VariableLength(ticks(noteMs)) + QByteArray("\x80\x48\x00", 3);
    track += VariableLength(ticks(totalMs) - ticks(noteMs)) + QByteArray("\xFF\x2F\x00", 3);
    QByteArray file("MThd\0\0\0\x06\0\0\0\x01\x01\xE0", 14);
    file += "MTrk";
    const quint32 size = quint32(track.size());
    file += char(size >> 24);
    file += char(size >> 16);
    file += char(size >> 8);
    file += char(size);
    return file + track;
}

inline bool WriteFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}
