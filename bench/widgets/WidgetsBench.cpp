// Cost of one digit-display paint and of one comment-panel scroll step, offscreen.
#include "resources/Artwork.h"
#include "widgets/DateTimeValue.h"
#include "widgets/Digits.h"
#include "widgets/SecretPanel.h"

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void MakeTimeElapsed(TDigits& digits) {
    digits.SetBmpDigits(Artwork::BigDigits(1.0));
    digits.SetBmpTimeSeparator(Artwork::TimeSeparator(1.0));
    digits.SetMode(dmTime);
    digits.SetShowLeadingZeros(true);
    digits.SetDateTime(EncodeTime(12, 34, 56));
}

// One paint of the game clock display into an off-screen picture.
void DigitsPaint(benchmark::State& state) {
    TDigits digits;
    MakeTimeElapsed(digits);
    QPixmap target(digits.size());
    for (auto _ : state) {
        digits.render(&target, QPoint(), QRegion(), QWidget::RenderFlags());
    }
}
BENCHMARK(DigitsPaint);

// One new second on a shown display: the immediate repaint and its trip to the screen.
void DigitsValueOnScreen(benchmark::State& state) {
    QWidget window;
    window.resize(140, 30);
    TDigits digits(&window);
    MakeTimeElapsed(digits);
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    int second = 0;
    for (auto _ : state) {
        digits.SetDateTime(EncodeTime(1, 0, 0) + (++second % 3600) * OneSecond);
    }
}
BENCHMARK(DigitsValueOnScreen);

void MakeCommentPanel(TSecretPanel& panel) {
    panel.setGeometry(0, 0, 171, 82);
    panel.SetColor(Qt::black);
    panel.SetFontColor(Qt::white);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    panel.setFont(font);
    panel.SetLines({" ", " ", " ", " ", "Press right mouse button", "on an empty square to get",
                    "a relative percentage of the", "optimal move (The optimal",
                    " move is equal to 100%).", " "});
    panel.SetCycled(true); // the benchmark never reaches an end
    panel.SetInterval(1000000);
}

// One scroll step of the shown comment panel: render the lines, copy them to the screen.
void SecretPanelScrollStep(benchmark::State& state) {
    TSecretPanel panel;
    MakeCommentPanel(panel);
    panel.show();
    (void)QTest::qWaitForWindowExposed(&panel);
    panel.SetActive(true);
    for (auto _ : state) {
        panel.ScrollStep();
    }
    panel.SetActive(false);
}
BENCHMARK(SecretPanelScrollStep);

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
