// Tiny MIDI files written by the tests: one note, then silence until the end of the track.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

// A delta time in two bytes of the variable-length form: enough for the 16383 ticks (17 s) a
// test tune may last.
inline QByteArray Delta(quint32 ticks) {
    QByteArray out(2, char(0x80 | (ticks >> 7)));
    out[1] = char(ticks & 0x7F);
    return out;
}

// At 120 beats a minute and 480 ticks a beat, a tick is 1/960 s.
inline QByteArray OneNoteMidi(int noteMs, int totalMs) {
    const auto ticks = [](int ms) { return quint32(ms) * 960 / 1000; };
    QByteArray track;
    track += Delta(0) + QByteArray("\xC0\x00", 2);     // piano
    track += Delta(0) + QByteArray("\x90\x48\x7F", 3); // C5, loud
    track += Delta(ticks(noteMs)) + QByteArray("\x80\x48\x00", 3);
    track += Delta(ticks(totalMs) - ticks(noteMs)) + QByteArray("\xFF\x2F\x00", 3);
    QByteArray size(4, '\0');
    qToBigEndian(quint32(track.size()), size.data());
    return QByteArray("MThd\0\0\0\x06\0\0\0\x01\x01\xE0MTrk", 18) + size + track;
}

inline bool WriteFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}
