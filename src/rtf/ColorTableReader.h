#pragma once

#include "rtf/ControlWords.h"
#include "rtf/Document.h"

#include <vector>

namespace korvel::rtf::detail {

// The colour table: each entry's red, green and blue, appended to the
// document's colours at its ";". An entry without any is the automatic colour.
class ColorTableReader {
public:
    explicit ColorTableReader(std::vector<Color>& colors) : colors_(colors) {}

    void word(Word word, int n);
    void character(char32_t c);

private:
    std::vector<Color>& colors_;
    Color color_;
    bool hasValue_ = false;
};

} // namespace korvel::rtf::detail
