#include "ui/TextContrast.h"

#include <algorithm>
#include <cmath>

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

bool Readable(const QColor& text, const QColor& background) {
    return Contrast(text, background) >= kReadableContrast;
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
    constexpr int kPlainGreen = 128;
    if (!IsDark(background)) {
        int green = kPlainGreen;
        while (green > 0 && !Readable(QColor(0, green, 0), background)) {
            --green;
        }
        return QColor(0, green, 0);
    }
    // Lighter: the green channel up to full, then towards a pale green.
    for (int green = kPlainGreen; green <= 255; ++green) {
        if (Readable(QColor(0, green, 0), background)) {
            return QColor(0, green, 0);
        }
    }
    int pale = 0;
    while (pale < 255 && !Readable(QColor(pale, 255, pale), background)) {
        ++pale;
    }
    return QColor(pale, 255, pale);
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
