// Helpers for the widget tests: what a widget shows, read from a grab or from the screen.
#pragma once

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <ostream>

// Pictures compare pixel for pixel in one format.
inline QImage Rgb(const QPixmap& p) {
    return p.toImage().convertToFormat(QImage::Format_RGB32);
}

// The widget painted afresh, as a paint event draws it.
inline QImage Grabbed(QWidget& w) {
    return Rgb(w.grab());
}

// What is on screen now in a shown top-level window, without letting any event run first.
inline QImage OnScreen(QWidget& window) {
    return Rgb(QGuiApplication::primaryScreen()->grabWindow(window.winId()));
}

inline bool ShowAndWait(QWidget& window) {
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

// True when every pixel of a rectangle has one colour.
inline bool AllOf(const QImage& image, const QRect& area, const QColor& colour) {
    QImage filled(area.size(), image.format());
    filled.fill(colour);
    return image.copy(area) == filled;
}

// Failures name an image by its size and a checksum instead of dumping its bytes.
inline void PrintTo(const QImage& image, std::ostream* os) {
    *os << "image " << image.width() << "x" << image.height() << " #" << image.cacheKey() % 1000
        << " sum " << qChecksum(QByteArrayView(image.constBits(), image.sizeInBytes()));
}
