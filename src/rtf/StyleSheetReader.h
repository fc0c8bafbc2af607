#pragma once

#include "rtf/ControlWords.h"

#include <string>
#include <unordered_map>

namespace korvel::rtf::detail {

// The style sheet: each style's number, outline level and name, for telling
// the headings among the paragraphs.
class StyleSheetReader {
public:
    void word(Word word, int n);
    void character(char32_t c);
    // The sheet's group closed: keeps the entry read so far.
    void finish() { commit(); }
    // The outline level that style `number` gives its paragraphs (0 for the
    // top level, so also for a style named "heading 1"), or -1 for none.
    int outlineLevel(int number) const;

private:
    struct Entry {
        int number = 0;
        int outlineLevel = -1;
        std::string name;
    };

    void commit();

    Entry entry_;
    std::unordered_map<int, Entry> styles_;
};

} // namespace korvel::rtf::detail
