// Test entry point for widget tests: a QApplication on the offscreen platform unless one is set.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

QtMessageHandler Previous = nullptr;

// A painter used against its rules (a restore without its save, no device) only warns, and what
// it paints after that is no longer what was meant: in a test that is a failure.
void FailOnPainterWarnings(QtMsgType type, const QMessageLogContext& where, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("QPainter::"))) {
        ADD_FAILURE() << text.toStdString();
    }
    if (Previous != nullptr) {
        Previous(type, where, text);
    }
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0); // 0: a platform already set stays
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Veltrane Inc.");
    QApplication::setApplicationName("Rennor");
    testing::InitGoogleTest(&argc, argv);
    Previous = qInstallMessageHandler(FailOnPainterWarnings);
    return RUN_ALL_TESTS();
}
