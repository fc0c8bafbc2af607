#include "ui/WindowMetrics.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

namespace korvel {
namespace {

constexpr int kSmallestPixels = 7;
constexpr int kButtonPadding = 8;

QFont SansSerif(int pixelSize) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace

// Pixel sizes at 96 dpi: 8.25 pt is 11 px, 6.75 pt 9 px, 13.5 pt 18 px.
QFont SansSerifFont() {
    return SansSerif(11);
}

QFont SmallFont() {
    return SansSerif(9);
}

namespace {

// The width a control needs to show its whole caption in `font`.
int CaptionWidth(const QWidget* control, const QFont& font) {
    const QFontMetrics metrics(font);
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return metrics.horizontalAdvance(label->text());
    }
    if (const auto* button = qobject_cast<const QPushButton*>(control)) {
        return metrics.horizontalAdvance(button->text()) + kButtonPadding;
    }
    if (const auto* box = qobject_cast<const QCheckBox*>(control)) {
        return box->sizeHint().width();
    }
    return 0;
}

} // namespace

void FitCaption(QWidget* control) {
    QFont font = control->font();
    while (CaptionWidth(control, font) > control->width() && font.pixelSize() > kSmallestPixels) {
        font.setPixelSize(font.pixelSize() - 1);
        control->setFont(font);
    }
    // A label may reach below its box (it draws nothing but its text), never cut it.
    const int lineHeight = QFontMetrics(font).height();
    if (qobject_cast<QLabel*>(control) && control->height() < lineHeight) {
        control->resize(control->width(), lineHeight);
    }
}

QFont DialogFont() {
    QFont font = SansSerif(18);
    font.setBold(true);
    return font;
}

} // namespace korvel
