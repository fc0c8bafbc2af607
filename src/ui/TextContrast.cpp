#include "ui/TextContrast.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace korvel {
namespace {

double Channel(int value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * Channel(rgb.red()) + 0.7152 * Channel(rgb.green()) +
           0.0722 * Channel(rgb.blue());
}

bool Readable(const QColor& text, const QColor& background, double enough = kReadableContrast) {
    return Contrast(text, background) >= enough;
}

// The GPSless notes are small text, whose thin strokes the screen smooths into
// the background: their colour keeps a margin above the contrast needed, so
// that the pixels on screen still reach it.
constexpr double kSmallNoteContrast = 5.0;

// The greens from the plain one (0,128,0) away from `background`: darker
// towards black on a light background; on a dark one lighter, the green
// channel up to full, then towards a pale green.
std::vector<QColor> GreensAwayFrom(const QColor& background) {
    constexpr int kPlainGreen = 128;
    std::vector<QColor> greens;
    if (!IsDark(background)) {
        for (int green = kPlainGreen; green >= 0; --green) {
            greens.emplace_back(0, green, 0);
        }
        return greens;
    }
    for (int green = kPlainGreen; green <= 255; ++green) {
        greens.emplace_back(0, green, 0);
    }
    for (int pale = 1; pale < 255; ++pale) {
        greens.emplace_back(pale, 255, pale);
    }
    return greens;
}

} // namespace

double Contrast(const QColor& a, const QColor& b) {
    const double one = Luminance(a);
    const double other = Luminance(b);
    return (std::max(one, other) + 0.05) / (std::min(one, other) + 0.05);
}

bool IsDark(const QColor& background) {
    return Contrast(Qt::white, background) > Contrast(Qt::black, background);
}

QColor ReadableGreen(const QColor& background) {
    const std::vector<QColor> greens = GreensAwayFrom(background);
    // The margin where it can be had, else what small text needs.
    for (const double enough : {kSmallNoteContrast, kReadableContrast}) {
        for (const QColor& green : greens) {
            if (Readable(green, background, enough)) {
                return green;
            }
        }
    }
    return greens.back();
}

QColor ReadableOn(const QColor& background, std::initializer_list<QColor> preferred) {
    for (const QColor& colour : preferred) {
        if (colour.isValid() && Readable(colour, background)) {
            return colour;
        }
    }
    return IsDark(background) ? QColor(Qt::white) : QColor(Qt::black);
}

} // namespace korvel
