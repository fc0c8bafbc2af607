#include "ui/WindowMetrics.h"

#include "ui/CaptionFrame.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <deque>
#include <numeric>
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

// A frame's caption has a font of its own: the frame's font is its controls'.
QFont FontOf(const QWidget* control) {
    if (const auto* frame = qobject_cast<const CaptionFrame*>(control)) {
        return frame->captionFont();
    }
    return control->font();
}

void SetFontOf(QWidget* control, const QFont& font) {
    if (auto* frame = qobject_cast<CaptionFrame*>(control)) {
        frame->setCaptionFont(font);
    } else {
        control->setFont(font);
    }
}

QString CaptionOf(const QWidget* control) {
    if (const auto* frame = qobject_cast<const CaptionFrame*>(control)) {
        return frame->title();
    }
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    return {};
}

int ChromeOf(const QWidget* control) {
    if (const auto* frame = qobject_cast<const CaptionFrame*>(control)) {
        return frame->width() - frame->captionRoom();
    }
    if (qobject_cast<const QPushButton*>(control)) {
        return kButtonPadding;
    }
    if (const auto* box = qobject_cast<const QCheckBox*>(control)) {
        return box->sizeHint().width() - box->fontMetrics().horizontalAdvance(box->text());
    }
    return 0;
}

// Measures captions as the sum of their characters' advances, each character
// measured once per font: captions share few distinct characters, and every
// measurement costs a font lookup. Never narrower than the line as drawn
// (kerning only ever brings letters closer here).
class CaptionMeter {
public:
    int width(const QFont& font, const QString& text) {
        Advances& advances = advancesOf(font);
        qreal width = 0;
        for (const QChar c : text) {
            auto known = advances.perCharacter.constFind(c.unicode());
            if (known == advances.perCharacter.constEnd()) {
                known = advances.perCharacter.insert(c.unicode(),
                                                     advances.metrics.horizontalAdvance(c));
            }
            width += *known;
        }
        return static_cast<int>(std::ceil(width));
    }

private:
    struct Advances {
        QFont font;
        QFontMetricsF metrics;
        QHash<char16_t, qreal> perCharacter;
    };

    Advances& advancesOf(const QFont& font) {
        for (Advances& advances : fonts_) {
            if (advances.font == font) {
                return advances;
            }
        }
        return fonts_.emplace_back(Advances{font, QFontMetricsF(font), {}});
    }

    std::deque<Advances> fonts_;
};

// Those of `candidates` (indexes into the kind) whose caption runs wider than
// its control at `font`.
QList<qsizetype> Overflowing(CaptionMeter& meter, const Kind& kind, const QFont& font,
                             const QList<qsizetype>& candidates) {
    QList<qsizetype> overflowing;
    for (const qsizetype i : candidates) {
        if (kind.chrome[i] + meter.width(font, kind.captions[i]) > kind.controls[i]->width()) {
            overflowing.append(i);
        }
    }
    return overflowing;
}

// The size at which the widest of `tight` would fit if widths grew in
// proportion to the size: where to look next, skipping sizes that cannot do.
int ProportionalSize(CaptionMeter& meter, const Kind& kind, const QFont& font,
                     const QList<qsizetype>& tight) {
    int size = font.pixelSize() - 1;
    for (const qsizetype i : tight) {
        const int room = kind.controls[i]->width() - kind.chrome[i];
        const int width = meter.width(font, kind.captions[i]);
        size = std::min(size, room * font.pixelSize() / std::max(width, 1));
    }
    return std::max(size, kSmallestPixels);
}

void FitKind(CaptionMeter& meter, const Kind& kind) {
    // A caption that fits at one size fits at every smaller one: each smaller
    // size measures only the captions that did not fit at the one before.
    QList<qsizetype> all(kind.controls.size());
    std::iota(all.begin(), all.end(), qsizetype{0});
    QFont font = kind.font;
    QList<qsizetype> tight = Overflowing(meter, kind, font, all);
    while (!tight.isEmpty() && font.pixelSize() > kSmallestPixels) {
        font.setPixelSize(ProportionalSize(meter, kind, font, tight));
        tight = Overflowing(meter, kind, font, tight);
    }
    const int lineHeight = QFontMetrics(font).height();
    for (QWidget* control : kind.controls) {
        if (font != kind.font) {
            SetFontOf(control, font);
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
        const QFont font = FontOf(control);
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
    CaptionMeter meter;
    for (const Kind& kind : kinds) {
        FitKind(meter, kind);
    }
}

QFont DialogFont() {
    QFont font = SansSerif(18);
    font.setBold(true);
    return font;
}

} // namespace korvel
