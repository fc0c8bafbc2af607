#pragma once

#include "rtf/ControlWords.h"
#include "rtf/Document.h"

#include <map>

namespace korvel::rtf::detail {

// The font table: each font's number, character set and name, kept in the
// document's fonts when its entry ends (";" or a new \f).
class FontTableReader {
public:
    explicit FontTableReader(std::map<int, Font>& fonts) : fonts_(fonts) {}

    void word(Word word, int n);
    void character(char32_t c);
    // The table's group closed: keeps the entry read so far.
    void finish() { commit(); }
    // The code page the current font's name is written in: the font's own
    // character set, but a symbol font's name is in letters all the same.
    int nameCodePage(int documentCodePage) const;

private:
    void commit();

    std::map<int, Font>& fonts_;
    int number_ = -1;
    Font font_;
};

} // namespace korvel::rtf::detail
