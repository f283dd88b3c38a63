// The music is rendered on the interface thread whenever the audio output asks for more: these
// measure one 20 ms block of the shipped tune and the loading of the soundfont.
#include "sound/SoundFont.h"
#include "sound/SynthStream.h"

#include <QFile>
#include <benchmark/benchmark.h>

namespace {

const QString Tune = QStringLiteral(RENNOR_SOUNDS_DIR "/Music.mid");

QByteArray ReadTune() {
    QFile file(Tune);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void RenderBlockOfTheTune(benchmark::State& state) {
    const QString soundFont = FindSoundFont(Tune);
    if (soundFont.isEmpty()) {
        state.SkipWithError("no General MIDI soundfont is installed");
        return;
    }
    TSynthStream stream(ReadTune(), LoadSynth(soundFont));
    stream.Play();
    constexpr qint64 FramesIn20Ms = 882;
    QByteArray block(FramesIn20Ms * 4, '\0');
    for (auto _ : state) {
        benchmark::DoNotOptimize(stream.read(block.data(), block.size()));
    }
    state.SetItemsProcessed(state.iterations() * FramesIn20Ms);
}
BENCHMARK(RenderBlockOfTheTune)->Unit(benchmark::kMicrosecond);

void LoadSoundFont(benchmark::State& state) {
    const QString soundFont = FindSoundFont(Tune);
    if (soundFont.isEmpty()) {
        state.SkipWithError("no General MIDI soundfont is installed");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadSynth(soundFont));
    }
}
BENCHMARK(LoadSoundFont)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
