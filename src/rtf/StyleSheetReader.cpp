#include "rtf/StyleSheetReader.h"

#include "rtf/ReaderLimits.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace korvel::rtf::detail {

void StyleSheetReader::word(Word word, int n) {
    if (word == Word::Style) {
        entry_.number = n;
    } else if (word == Word::OutlineLevel) {
        entry_.outlineLevel = n;
    }
}

void StyleSheetReader::character(char32_t c) {
    if (c == ';') {
        commit();
    } else {
        AppendLimited(entry_.name, c, kMaxNameLength);
    }
}

int StyleSheetReader::outlineLevel(int number) const {
    const auto style = styles_.find(number);
    if (style == styles_.end()) {
        return -1;
    }
    if (style->second.outlineLevel >= 0) {
        return style->second.outlineLevel;
    }
    std::string name = style->second.name;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (name.starts_with("heading ") && name.size() > 8 && name[8] >= '1' && name[8] <= '9') {
        return name[8] - '1';
    }
    return -1;
}

void StyleSheetReader::commit() {
    if (!entry_.name.empty() || entry_.outlineLevel >= 0) {
        styles_[entry_.number] = std::move(entry_);
    }
    entry_ = Entry{};
}

} // namespace korvel::rtf::detail
