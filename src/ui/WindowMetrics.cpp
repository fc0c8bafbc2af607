#include "ui/WindowMetrics.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <algorithm>
#include <cstring>
#include <vector>

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

// The controls of one kind and what each needs besides its caption's text.
struct Kind {
    QFont font;
    QList<QWidget*> controls;
    QList<QString> captions;
    QList<int> chrome; // room besides the text: a button's padding, a box's indicator
};

QString CaptionOf(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    return {};
}

int ChromeOf(const QWidget* control) {
    if (qobject_cast<const QPushButton*>(control)) {
        return kButtonPadding;
    }
    if (const auto* box = qobject_cast<const QCheckBox*>(control)) {
        return box->sizeHint().width() - box->fontMetrics().horizontalAdvance(box->text());
    }
    return 0;
}

bool AllFit(const Kind& kind, const QFont& font) {
    const QFontMetrics metrics(font);
    for (qsizetype i = 0; i < kind.controls.size(); ++i) {
        if (kind.chrome[i] + metrics.horizontalAdvance(kind.captions[i]) >
            kind.controls[i]->width()) {
            return false;
        }
    }
    return true;
}

void FitKind(const Kind& kind) {
    QFont font = kind.font;
    while (font.pixelSize() > kSmallestPixels && !AllFit(kind, font)) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    const int lineHeight = QFontMetrics(font).height();
    for (QWidget* control : kind.controls) {
        if (font != kind.font) {
            control->setFont(font);
        }
        // A label may reach below its box (it draws nothing but its text), never cut it.
        if (qobject_cast<QLabel*>(control) && control->height() < lineHeight) {
            control->resize(control->width(), lineHeight);
        }
    }
}

} // namespace

void FitCaptions(const QList<QWidget*>& controls) {
    std::vector<Kind> kinds;
    for (QWidget* control : controls) {
        const QFont font = control->font();
        const char* className = control->metaObject()->className();
        auto kind = std::find_if(kinds.begin(), kinds.end(), [&](const Kind& k) {
            return k.font == font &&
                   std::strcmp(k.controls.front()->metaObject()->className(), className) == 0;
        });
        if (kind == kinds.end()) {
            kind = kinds.insert(kinds.end(), Kind{font, {}, {}, {}});
        }
        kind->controls.append(control);
        kind->captions.append(CaptionOf(control));
        kind->chrome.append(ChromeOf(control));
    }
    for (const Kind& kind : kinds) {
        FitKind(kind);
    }
}

QFont DialogFont() {
    QFont font = SansSerif(18);
    font.setBold(true);
    return font;
}

} // namespace korvel
