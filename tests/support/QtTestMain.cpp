// Test entry point for widget tests: a QApplication on the offscreen platform unless one is set.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0); // 0: a platform already set stays
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Veltrane Inc.");
    QApplication::setApplicationName("Rennor");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
