// The synthesizer as a stream of samples: a MIDI file's sequence played with a General MIDI
// soundfont, rendered whenever the audio output reads.
#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QIODevice>
#include <fluidsynth.h>
#include <functional>
#include <memory>

template <auto Delete> struct TFluidDelete {
    template <typename T> void operator()(T* object) const { Delete(object); }
};

// A synthesizer with its soundfont loaded. Loading takes a noticeable moment, so it is done away
// from the interface thread; the result is plain data, free to move between threads.
struct TSynth {
    std::unique_ptr<fluid_settings_t, TFluidDelete<delete_fluid_settings>> Settings;
    std::unique_ptr<fluid_synth_t, TFluidDelete<delete_fluid_synth>> Synth;
};

// Throws EMCIDeviceError when the soundfont cannot be loaded.
std::unique_ptr<TSynth> LoadSynth(const QString& soundFont);

class TSynthStream : public QIODevice {
    Q_OBJECT

public:
    // Throws EMCIDeviceError when the file cannot be read as a sequence.
    TSynthStream(QByteArray midi, std::unique_ptr<TSynth> synth);
    ~TSynthStream() override;

    // 16-bit stereo at 44.1 kHz.
    QAudioFormat Format() const;

    // Starts or resumes the sequence where it stands.
    void Play();
    // Holds the sequence and silences every note at once.
    void Stop();
    // Back to the first tick; a playing sequence goes on playing from there.
    void Rewind();

    // Called from inside a read when the sequence passes its last tick; false when the file held
    // no tick to play, so a damaged tune fails instead of "ending" again and again.
    std::function<void(bool played)> OnEnd;

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    void NewSequence();
    fluid_synth_t* Synth() const { return FSynth->Synth.get(); }
    bool SequenceEnded() const;

    QByteArray FMidi;
    std::unique_ptr<TSynth> FSynth;
    std::unique_ptr<fluid_player_t, TFluidDelete<delete_fluid_player>> FSequence;
    bool FPlaying = false;
};
