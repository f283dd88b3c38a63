// The program's two written font families, each with fallbacks that keep its character widths.
#pragma once

#include <QFont>

// The windows are laid out for "MS Sans Serif" and "Courier New". Where those are missing, the
// system's own sans and monospace fonts are often wider and cut the texts at their fixed places,
// so each family is asked for first by name, then through families of the same widths
// (Liberation, Croscore), and only then through the style hint.
namespace Fonts {

enum class TFamily { MSSansSerif, CourierNew };

QFont Points(TFamily family, int points);
QFont Pixels(TFamily family, int pixels);

} // namespace Fonts
