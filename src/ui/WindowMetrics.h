#pragma once

#include <QFont>
#include <QList>
#include <QRect>

class QWidget;

namespace korvel {

// Window geometry is laid out in twips, 15 to a device-independent pixel.
inline constexpr int kTwipsPerPixel = 15;

// `twips` in pixels, fractions kept: for text layout.
constexpr double TwipsToPixelsF(double twips) {
    return twips / kTwipsPerPixel;
}

// `twips` in whole pixels, to the nearest one (15 is odd: there are no ties):
// for widget geometry.
constexpr int TwipsToPixels(int twips) {
    const int half = kTwipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / kTwipsPerPixel : -((half - twips) / kTwipsPerPixel);
}

inline QRect Twips(int left, int top, int width, int height) {
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                 TwipsToPixels(height));
}

// Stand-ins for the window's classic bitmap fonts: a plain sans serif that
// keeps every caption within the room its control gives it.
QFont SansSerifFont(); // for "MS Sans Serif" 8.25 pt
QFont SmallFont();     // for "Small Fonts" 6.75 pt
QFont DialogFont();    // bold 13.5 pt, the result dialog's text

// Where this system's font still runs wider than the room a caption has, makes
// the font a little smaller, so no caption is ever cut off. One size serves each
// kind of captioned control (labels in either font, check boxes, buttons, the
// frames' captions, which also leave the frame's top line showing), so
// that captions of one kind never differ by a pixel: the largest size at which
// all of them fit.
void FitCaptions(const QList<QWidget*>& controls);

} // namespace korvel
