#include "ui/LongWordBreaker.h"

namespace korvel {
namespace {

constexpr QChar kZeroWidthSpace(0x200B);

// Whether a line may break at `c`: spaces other than the no-break ones.
bool EndsWord(QChar c) {
    return c.isSpace() && c != QChar::Nbsp && c.unicode() != 0x2007 && c.unicode() != 0x202F;
}

} // namespace

QString LongWordBreaker::apply(const QString& text) {
    QString out;
    bool copying = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (EndsWord(c)) {
            length_ = 0;
        } else if (!c.isLowSurrogate() && !c.isMark()) {
            if (length_ >= kLongWord && (length_ - kLongWord) % kBreakEvery == 0) {
                if (!copying) {
                    out = text.left(i);
                    out.reserve(text.size() + text.size() / kBreakEvery + 1);
                    copying = true;
                }
                out += kZeroWidthSpace;
            }
            ++length_;
        }
        if (copying) {
            out += c;
        }
    }
    return copying ? out : text;
}

} // namespace korvel
