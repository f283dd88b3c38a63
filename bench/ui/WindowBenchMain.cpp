// The main of the window benchmarks: offscreen unless a platform is named, and a private settings
// store with the defaults and the music off, away from the user's own.
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Veltrane Inc."));
    QApplication::setApplicationName(QStringLiteral("Rennor"));
    QSettings(QStringLiteral("Veltrane Inc."), QStringLiteral("Rennor"))
        .setValue(QStringLiteral("MUSIC"), QStringLiteral("0"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
