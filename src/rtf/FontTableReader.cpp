#include "rtf/FontTableReader.h"

#include "rtf/CodePages.h"
#include "rtf/ReaderLimits.h"

#include <utility>

namespace korvel::rtf::detail {

void FontTableReader::word(Word word, int n) {
    if (word == Word::Font) {
        commit();
        number_ = std::max(n, 0);
    } else if (word == Word::Fcharset) {
        font_.charset = n;
    }
}

void FontTableReader::character(char32_t c) {
    if (c == ';') {
        commit();
    } else {
        AppendLimited(font_.name, c, kMaxNameLength);
    }
}

int FontTableReader::nameCodePage(int documentCodePage) const {
    return font_.charset == kSymbolCharset ? documentCodePage
                                           : CharsetCodePage(font_.charset, documentCodePage);
}

void FontTableReader::commit() {
    if (number_ >= 0) {
        while (!font_.name.empty() && font_.name.back() == ' ') {
            font_.name.pop_back();
        }
        fonts_[number_] = std::move(font_);
    }
    number_ = -1;
    font_ = Font{};
}

} // namespace korvel::rtf::detail
