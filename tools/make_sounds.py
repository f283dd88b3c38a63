#!/usr/bin/env python3
"""Writes the game's sound files: the background tune Music.mid and the game-over jingles.

Everything is composed and synthesised here, with the standard library only, so the files are
ours and the same run always gives the same bytes. Usage: make_sounds.py [output folder]
(default: data/Sounds beside this script's parent folder).
"""

import math
import os
import random
import struct
import sys
import wave

RATE = 44100
TAIL_SILENCE = 0.2  # the wave player drops the last tenth of a second, so end on silence

# ---------------------------------------------------------------------------------------------
# Notes

NOTE_INDEX = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def note(name):
    """'C4' -> 60, 'F#5' -> 78, 'Bb3' -> 58."""
    pitch = NOTE_INDEX[name[0]]
    rest = name[1:]
    while rest and rest[0] in "#b":
        pitch += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return pitch + 12 * (int(rest) + 1)


def frequency(midi_note):
    return 440.0 * 2.0 ** ((midi_note - 69) / 12.0)


# ---------------------------------------------------------------------------------------------
# The background tune: a gentle piece in C major, A B A B A, that ends where it begins so it
# loops without a seam.

PPQ = 480
TEMPO_BPM = 100

# Chord per bar: root note name and chord tones (offsets in semitones from the root).
MAJOR, MINOR, DOM7 = (0, 4, 7), (0, 3, 7), (0, 4, 7, 10)
CHORDS_A = [("C", MAJOR), ("A", MINOR), ("F", MAJOR), ("G", MAJOR),
            ("C", MAJOR), ("A", MINOR), ("D", MINOR), ("C", MAJOR)]
CHORDS_B = [("F", MAJOR), ("G", MAJOR), ("E", MINOR), ("A", MINOR),
            ("F", MAJOR), ("G", MAJOR), ("C", MAJOR), ("G", DOM7)]

# Melodies: (note name or None for a rest, length in beats); each bar adds up to four beats.
MELODY_A = [
    ("E5", 1), ("G5", 1), ("C6", 1.5), ("B5", 0.5),
    ("A5", 2), ("E5", 2),
    ("F5", 1), ("A5", 1), ("C6", 1), ("A5", 1),
    ("G5", 3), (None, 1),
    ("E5", 1), ("G5", 1), ("C6", 1), ("D6", 1),
    ("E6", 1.5), ("D6", 0.5), ("C6", 1), ("A5", 1),
    ("F5", 1), ("A5", 1), ("G5", 1), ("B5", 1),
    ("C6", 3), (None, 1),
]
MELODY_B = [
    ("A5", 1.5), ("G5", 0.5), ("F5", 1), ("A5", 1),
    ("G5", 1.5), ("F5", 0.5), ("E5", 1), ("D5", 1),
    ("E5", 1), ("G5", 1), ("B5", 1), ("G5", 1),
    ("A5", 3), (None, 1),
    ("C6", 1.5), ("B5", 0.5), ("A5", 1), ("F5", 1),
    ("D6", 1.5), ("C6", 0.5), ("B5", 1), ("G5", 1),
    ("E6", 1), ("D6", 1), ("C6", 1), ("G5", 1),
    ("B5", 1), ("A5", 1), ("G5", 2),
]

# General MIDI programs and the channel of each part.
FLUTE, VIBES, PIANO, STRINGS, BASS, CLARINET = 73, 11, 0, 48, 32, 71
MELODY_CH, ARP_CH, PAD_CH, BASS_CH = 0, 1, 2, 3


def bar_events(events, bar, chord, arp_velocity, pad_velocity):
    """The accompaniment of one bar: a broken chord in eighths, a held pad and a walking bass."""
    root_name, tones = chord
    root = note(root_name + "3")
    start = bar * 4 * PPQ
    pattern = [0, 2, 1, 2, 0, 2, 1, 2]
    pitches = [root + tones[0], root + tones[1] + 12, root + tones[2]]
    for step, index in enumerate(pattern):
        t = start + step * PPQ // 2
        events.append((t, ARP_CH, pitches[index], arp_velocity, PPQ // 2))
    for tone in tones[:3]:
        events.append((start, PAD_CH, root + 12 + tone, pad_velocity, 4 * PPQ))
    bass = root - 12
    events.append((start, BASS_CH, bass, 80, 2 * PPQ))
    events.append((start + 2 * PPQ, BASS_CH, bass + tones[2], 72, 2 * PPQ))


def melody_events(events, first_bar, melody, transpose, velocity):
    t = first_bar * 4 * PPQ
    for name, beats in melody:
        length = int(beats * PPQ)
        if name is not None:
            events.append((t, MELODY_CH, note(name) + transpose, velocity, length - PPQ // 16))
        t += length


def compose_tune():
    """The tune as (tick, channel, pitch, velocity, length) notes plus program changes."""
    events = []
    sections = [
        (CHORDS_A, MELODY_A, 0, FLUTE, 84),
        (CHORDS_B, MELODY_B, 0, VIBES, 88),
        (CHORDS_A, MELODY_A, -12, CLARINET, 86),
        (CHORDS_B, MELODY_B, 0, FLUTE, 84),
        (CHORDS_A, MELODY_A, 0, VIBES, 90),
    ]
    programs = []
    for number, (chords, melody, transpose, instrument, velocity) in enumerate(sections):
        first_bar = number * 8
        programs.append((first_bar * 4 * PPQ, MELODY_CH, instrument))
        melody_events(events, first_bar, melody, transpose, velocity)
        for offset, chord in enumerate(chords):
            bar_events(events, first_bar + offset, chord, 52 + 4 * (number % 2), 34)
    total_ticks = len(sections) * 8 * 4 * PPQ
    return events, programs, total_ticks


def variable_length(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, 0x80 | (value & 0x7F))
        value >>= 7
    return bytes(out)


def midi_bytes(events, programs, total_ticks):
    """A format 0 file: tempo, programs, then note on/off pairs sorted by time."""
    timed = [(0, 0, b"\xFF\x51\x03" + (60000000 // TEMPO_BPM).to_bytes(3, "big"))]
    timed.append((0, 0, b"\xFF\x58\x04\x04\x02\x18\x08"))
    for channel, program in ((ARP_CH, PIANO), (PAD_CH, STRINGS), (BASS_CH, BASS)):
        timed.append((0, 1, bytes([0xC0 | channel, program])))
    timed.append((0, 1, bytes([0xB0 | PAD_CH, 7, 70])))
    timed.append((0, 1, bytes([0xB0 | ARP_CH, 7, 90])))
    timed.append((0, 1, bytes([0xB0 | MELODY_CH, 91, 40])))  # a little reverb on the tune
    for tick, channel, program in programs:
        timed.append((tick, 1, bytes([0xC0 | channel, program])))
    for tick, channel, pitch, velocity, length in events:
        timed.append((tick + length, 2, bytes([0x80 | channel, pitch, 0])))
        timed.append((tick, 3, bytes([0x90 | channel, pitch, velocity])))
    timed.sort(key=lambda item: (item[0], item[1]))
    track = bytearray()
    now = 0
    for tick, _, data in timed:
        track += variable_length(tick - now) + data
        now = tick
    track += variable_length(total_ticks - now) + b"\xFF\x2F\x00"
    header = b"MThd" + struct.pack(">IHHH", 6, 0, 1, PPQ)
    return header + b"MTrk" + struct.pack(">I", len(track)) + bytes(track)


# ---------------------------------------------------------------------------------------------
# Wave synthesis: a few simple voices, mixed into a mono buffer of floats.


def envelope(i, count, attack, release):
    a = int(attack * RATE)
    r = int(release * RATE)
    if i < a:
        return i / a
    if i > count - r:
        return max(0.0, (count - i) / r)
    return 1.0


def voice_additive(freq, seconds, partials, decay, attack=0.01, vibrato=0.0):
    count = int(seconds * RATE)
    out = [0.0] * count
    for i in range(count):
        t = i / RATE
        wobble = 1.0 + vibrato * math.sin(2 * math.pi * 5.5 * t) if vibrato else 1.0
        value = 0.0
        for ratio, amplitude in partials:
            value += amplitude * math.sin(2 * math.pi * freq * ratio * wobble * t)
        out[i] = value * math.exp(-decay * t) * envelope(i, count, attack, 0.05)
    return out


def voice_pluck(freq, seconds, rng):
    """A plucked string: a noise burst circulating through a damped delay line."""
    count = int(seconds * RATE)
    period = max(2, int(RATE / freq))
    line = [rng.uniform(-1.0, 1.0) for _ in range(period)]
    out = [0.0] * count
    previous = 0.0
    for i in range(count):
        current = line[i % period]
        line[i % period] = 0.996 * 0.5 * (current + previous)
        previous = current
        out[i] = current * envelope(i, count, 0.002, 0.04)
    return out


TIMBRES = {
    "organ": lambda f, s, rng: voice_additive(
        f, s, [(1, 0.6), (2, 0.3), (3, 0.15), (4, 0.08)], 0.4, 0.02),
    "bell": lambda f, s, rng: voice_additive(
        f, s, [(1, 0.6), (2.76, 0.25), (5.4, 0.12), (8.9, 0.05)], 3.0, 0.002),
    "brass": lambda f, s, rng: voice_additive(
        f, s, [(n, 0.5 / n) for n in range(1, 9)], 0.6, 0.04, vibrato=0.004),
    "marimba": lambda f, s, rng: voice_additive(
        f, s, [(1, 0.7), (4, 0.2), (10, 0.05)], 6.0, 0.002),
    "pluck": voice_pluck,
    "soft": lambda f, s, rng: voice_additive(
        f, s, [(1, 0.7), (2, 0.15), (3, 0.05)], 1.2, 0.03),
}


def render_jingle(notes, beat_seconds, timbre, seed):
    """notes: (start beat, length in beats, note name). Adds an echo, normalises, pads silence."""
    rng = random.Random(seed)
    end = max(start + length for start, length, _ in notes)
    ring = 0.35
    buffer = [0.0] * int((end * beat_seconds + ring) * RATE)
    for start, length, name in notes:
        seconds = length * beat_seconds + ring
        samples = TIMBRES[timbre](frequency(note(name)), seconds, rng)
        offset = int(start * beat_seconds * RATE)
        for i, value in enumerate(samples):
            if offset + i < len(buffer):
                buffer[offset + i] += value
    delay = int(0.11 * RATE)
    for i in range(delay, len(buffer)):
        buffer[i] += 0.25 * buffer[i - delay]
    fade = int(0.03 * RATE)
    for i in range(fade):
        buffer[len(buffer) - 1 - i] *= i / fade
    peak = max(abs(v) for v in buffer) or 1.0
    scale = 0.7 / peak
    samples = [int(v * scale * 32767) for v in buffer]
    return samples + [0] * int(TAIL_SILENCE * RATE)


def write_wave(path, samples):
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(struct.pack("<%dh" % len(samples), *samples))


def seq(names, step=1.0, length=None, start=0.0):
    """Consecutive notes: each lasts `length` beats (default `step`)."""
    return [(start + i * step, length or step, n) for i, n in enumerate(names)]


def chord(names, start, length):
    return [(start, length, n) for n in names]


# Each jingle: file name -> (notes, seconds per beat, timbre).
JINGLES = {
    # The computer won: falling, a little rueful.
    "GameOvr1.wav": (seq(["G4", "Eb4", "C4"]) + chord(["C3", "G3", "Eb4"], 3, 2), 0.32, "organ"),
    "GameOvr2.wav": (seq(["Ab3", "G3", "Gb3"], 1.0) + [(3, 3, "F3")], 0.36, "brass"),
    "GameOvr3.wav": (seq(["C6", "A5", "F5", "D5"], 0.5) + chord(["D4", "F4", "A4"], 2, 2),
                     0.34, "bell"),
    "GameOvr4.wav": (seq(["E4", "D4", "C4", "B3"], 0.75) + chord(["A2", "E3", "A3", "C4"], 3, 2),
                     0.3, "pluck"),
    "GameOvr5.wav": (seq(["C5", "Bb4", "G4", "F4", "Eb4", "C4"], 0.33) + [(2.2, 1.5, "C3")],
                     0.3, "marimba"),
    # A tie: a question, then an open answer.
    "Tie.wav": (seq(["G4", "C5"], 0.6) + chord(["G4", "D5"], 1.4, 2), 0.35, "marimba"),
    # The player beat the computer: rising fanfares.
    "AILost1.wav": (seq(["C4", "C4", "C4"], 0.33) + [(1.0, 1, "G4")] + [(2.0, 2, "C5")],
                    0.32, "brass"),
    "AILost2.wav": (seq(["C5", "E5", "G5", "C6"], 0.5) + chord(["C5", "E5", "G5", "C6"], 2, 2),
                    0.3, "bell"),
    "AILost3.wav": (chord(["F3", "A3", "C4", "F4"], 0, 1) + chord(["G3", "B3", "D4", "G4"], 1, 1)
                    + chord(["C4", "E4", "G4", "C5"], 2, 2.5), 0.42, "organ"),
    "AILost4.wav": (seq(["D4", "E4", "F#4", "G4", "A4", "B4", "C#5"], 0.25)
                    + chord(["D4", "F#4", "A4", "D5"], 1.75, 2), 0.36, "pluck"),
    "AILost5.wav": (seq(["G4", "C5"], 0.5) + seq(["E5", "G5"], 0.5, start=1.5)
                    + [(2.5, 2, "C6")], 0.3, "marimba"),
    "AILost6.wav": (seq(["G4", "C5", "E5", "G5"], 0.5) + [(2.0, 0.5, "E5")] + [(2.5, 2.5, "G5")],
                    0.3, "brass"),
    "AILost7.wav": (seq(["F5", "A5", "C6", "D6", "C6", "F6"], 0.33) + chord(["F5", "A5", "D6"], 2, 2),
                    0.32, "bell"),
    "AILost8.wav": (seq(["D4", "F#4", "A4"], 0.5) + chord(["D4", "F#4", "A4", "D5"], 1.5, 3),
                    0.36, "soft"),
    "AILost9.wav": (seq(["A4", "B4", "C#5", "A4", "E5"], 0.4, 0.4) + chord(["A3", "E4", "A4", "C#5"], 2, 2),
                    0.33, "pluck"),
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "Sounds")
    os.makedirs(folder, exist_ok=True)
    events, programs, total_ticks = compose_tune()
    with open(os.path.join(folder, "Music.mid"), "wb") as out:
        out.write(midi_bytes(events, programs, total_ticks))
    for seed, (name, (notes, beat_seconds, timbre)) in enumerate(sorted(JINGLES.items())):
        write_wave(os.path.join(folder, name), render_jingle(notes, beat_seconds, timbre, seed))
    print("wrote %d files to %s" % (len(JINGLES) + 1, os.path.normpath(folder)))


if __name__ == "__main__":
    main()
