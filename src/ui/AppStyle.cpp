// The application's style: the toolkit's own, with the menu bar's overflow arrows read when shown.
#include "ui/AppStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QProxyStyle>

namespace {

// Every menu bar makes its overflow button at once, and the style reads that button's arrows
// from image files, which loads each image-format plugin and its libraries into the process.
// Our menu bar never overflows, so the arrows are read only if the button is ever drawn.
class TDeferredIconEngine final : public QIconEngine {
public:
    TDeferredIconEngine(const QStyle* style, QStyle::StandardPixmap which)
        : Style(style), Which(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return Icon().pixmap(size / scale, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new TDeferredIconEngine(Style, Which); }

private:
    const QIcon& Icon() {
        if (Loaded.isNull()) {
            Loaded = Style->standardIcon(Which);
        }
        return Loaded;
    }

    const QStyle* Style;
    QStyle::StandardPixmap Which;
    QIcon Loaded;
};

class TAppStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (which == SP_ToolBarHorizontalExtensionButton ||
            which == SP_ToolBarVerticalExtensionButton) {
            return QIcon(new TDeferredIconEngine(baseStyle(), which));
        }
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

} // namespace

void InstallAppStyle(QApplication& app) {
    app.setStyle(new TAppStyle(QApplication::style()));
}
