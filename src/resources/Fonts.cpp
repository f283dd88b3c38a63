// The written font families with their same-width fallbacks.
#include "resources/Fonts.h"

#include <QStringList>

namespace Fonts {
namespace {

QFont Family(TFamily family) {
    QFont font;
    if (family == TFamily::CourierNew) {
        font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                          QStringLiteral("Cousine")});
        font.setStyleHint(QFont::Monospace);
    } else {
        font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                          QStringLiteral("Arimo")});
        font.setStyleHint(QFont::SansSerif);
    }
    return font;
}

} // namespace

QFont Points(TFamily family, int points) {
    QFont font = Family(family);
    font.setPointSize(points);
    return font;
}

QFont Pixels(TFamily family, int pixels) {
    QFont font = Family(family);
    font.setPixelSize(pixels);
    return font;
}

} // namespace Fonts
