#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvel::rtf {

// Number of terminal columns of UTF-8 text (one per character).
int DisplayWidth(std::string_view utf8);

// Breaks UTF-8 text into lines: at every "\n", and between words so that the
// first line holds at most `firstWidth` columns and the others `width`. Tabs
// move to the next multiple of eight columns; a word wider than a line is cut.
std::vector<std::string> WrapText(std::string_view text, int firstWidth, int width);

} // namespace korvel::rtf
