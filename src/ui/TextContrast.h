#pragma once

#include <QColor>
#include <initializer_list>

namespace korvel {

// The contrast that small text needs to be read against its background.
inline constexpr double kReadableContrast = 4.5;

// The contrast ratio of two colours (1 to 21), from their relative luminance
// in sRGB.
double Contrast(const QColor& a, const QColor& b);

// Whether `background` is dark: light text reads better on it than dark text.
bool IsDark(const QColor& background);

// The green of the GPSless notes on `background`: the plain green (0,128,0)
// when it can be read there, else the nearest green that can, darker on a
// light background and lighter on a dark one. It keeps a margin above
// kReadableContrast for small text, where one can be had.
QColor ReadableGreen(const QColor& background);

// The first of `preferred` (invalid colours left out) that can be read on
// `background`; when none can, black or white, whichever reads better (one of
// them always can).
QColor ReadableOn(const QColor& background, std::initializer_list<QColor> preferred);

} // namespace korvel
