// Cost of one digit-display paint and of one comment-panel scroll step, offscreen.
#include "resources/Artwork.h"
#include "widgets/Digits.h"

#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

void DigitsPaint(benchmark::State& state) {
    TDigits digits;
    digits.SetBmpDigits(Artwork::BigDigits(1.0));
    digits.SetBmpTimeSeparator(Artwork::TimeSeparator(1.0));
    digits.SetMode(dmTime);
    digits.SetShowLeadingZeros(true);
    digits.SetDateTime(0.5);
    QPixmap target(digits.size());
    for (auto _ : state) {
        digits.render(&target, QPoint(), QRegion(), QWidget::RenderFlags());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(DigitsPaint);

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
