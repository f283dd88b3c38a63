// Rendering a MIDI sequence on demand: the sequence's clock is the count of samples rendered,
// so it runs exactly as fast as the output plays.
#include "sound/SynthStream.h"

#include "sound/MediaPlayer.h"

namespace {

constexpr int SampleRate = 44100;
constexpr int BytesPerFrame = 4; // two channels of 16 bits
// At most this many frames per read, so one read never holds the interface thread long.
constexpr qint64 MaxFramesPerRead = 8192;

} // namespace

std::unique_ptr<TSynth> LoadSynth(const QString& soundFont) {
    auto synth = std::make_unique<TSynth>();
    synth->Settings.reset(new_fluid_settings());
    fluid_settings_setnum(synth->Settings.get(), "synth.sample-rate", SampleRate);
    fluid_settings_setnum(synth->Settings.get(), "synth.gain", 0.9);
    // Only the instruments the tune selects are read into memory, not the whole soundfont.
    fluid_settings_setint(synth->Settings.get(), "synth.dynamic-sample-loading", 1);
    synth->Synth.reset(new_fluid_synth(synth->Settings.get()));
    if (synth->Synth == nullptr ||
        fluid_synth_sfload(synth->Synth.get(), soundFont.toLocal8Bit().constData(), 1) ==
            FLUID_FAILED) {
        throw EMCIDeviceError("The soundfont '" + soundFont.toStdString() + "' cannot be loaded");
    }
    return synth;
}

TSynthStream::TSynthStream(QByteArray midi, std::unique_ptr<TSynth> synth)
    : FMidi(std::move(midi)), FSynth(std::move(synth)) {
    NewSequence();
    open(QIODevice::ReadOnly);
}

// The sequence reads the synthesizer, so it goes first.
TSynthStream::~TSynthStream() {
    FSequence.reset();
}

QAudioFormat TSynthStream::Format() const {
    QAudioFormat format;
    format.setSampleRate(SampleRate);
    format.setChannelCount(2);
    format.setChannelConfig(QAudioFormat::ChannelConfigStereo);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

void TSynthStream::Play() {
    FPlaying = true;
    fluid_player_play(FSequence.get());
}

void TSynthStream::Stop() {
    FPlaying = false;
    fluid_player_stop(FSequence.get());
    fluid_synth_all_sounds_off(Synth(), -1);
}

// A fresh sequence starts at the first tick with the file's own tempo and programs.
void TSynthStream::Rewind() {
    const bool wasPlaying = FPlaying;
    Stop();
    FSequence.reset();
    NewSequence();
    if (wasPlaying) {
        Play();
    }
}

void TSynthStream::NewSequence() {
    FSequence.reset(new_fluid_player(Synth()));
    if (FSequence == nullptr || fluid_player_add_mem(FSequence.get(), FMidi.constData(),
                                                     size_t(FMidi.size())) == FLUID_FAILED) {
        throw EMCIDeviceError("The MIDI file cannot be read");
    }
}

// The last tick, not the synthesizer's own end: that comes only after a grace period of its own,
// which would leave a gap in looping music. The length is known once the file has been loaded.
bool TSynthStream::SequenceEnded() const {
    fluid_player_t* sequence = FSequence.get();
    const int total = fluid_player_get_total_ticks(sequence);
    return (total > 0 && fluid_player_get_current_tick(sequence) >= total) ||
           fluid_player_get_status(sequence) == FLUID_PLAYER_DONE;
}

qint64 TSynthStream::bytesAvailable() const {
    return MaxFramesPerRead * BytesPerFrame + QIODevice::bytesAvailable();
}

qint64 TSynthStream::readData(char* data, qint64 maxSize) {
    const int frames = int(std::min(maxSize / BytesPerFrame, MaxFramesPerRead));
    if (frames <= 0) {
        return 0;
    }
    fluid_synth_write_s16(Synth(), frames, data, 0, 2, data, 1, 2);
    if (FPlaying && SequenceEnded()) {
        FPlaying = false;
        fluid_player_stop(FSequence.get());
        if (OnEnd) {
            OnEnd(fluid_player_get_total_ticks(FSequence.get()) > 0);
        }
    }
    return qint64(frames) * BytesPerFrame;
}
