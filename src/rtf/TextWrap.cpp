#include "rtf/TextWrap.h"

#include <algorithm>

namespace korvel::rtf {
namespace {

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Byte length of the longest prefix of `word` that fits `columns`.
std::size_t PrefixFitting(std::string_view word, int columns) {
    std::size_t pos = 0;
    int used = 0;
    while (pos < word.size()) {
        std::size_t next = pos + 1;
        while (next < word.size() && IsContinuation(word[next])) {
            ++next;
        }
        if (used + 1 > columns) {
            break;
        }
        ++used;
        pos = next;
    }
    return pos;
}

class LineFiller {
public:
    LineFiller(int firstWidth, int width)
        : firstWidth_(std::max(firstWidth, 1)), width_(std::max(width, 1)) {}

    void addSpace(int columns) { pendingSpace_ += columns; }

    void addTab() {
        const int column = used_ + pendingSpace_;
        pendingSpace_ += 8 - column % 8;
    }

    // A word wider than a line is cut; its width is measured once, so that
    // cutting a very long word costs no more than the word itself.
    void addWord(std::string_view word) {
        int wordWidth = DisplayWidth(word);
        while (!word.empty()) {
            if (used_ > 0 && used_ + pendingSpace_ + wordWidth > limit()) {
                newLine(true);
            }
            if (used_ == 0 && wordWidth > limit()) {
                const std::size_t cut = std::max<std::size_t>(PrefixFitting(word, limit()), 1);
                const std::string_view piece = word.substr(0, cut);
                wordWidth -= DisplayWidth(piece);
                place(piece);
                word.remove_prefix(cut);
                if (!word.empty()) {
                    newLine(true);
                }
                continue;
            }
            place(word);
            return;
        }
    }

    void newLine(bool soft = false) {
        softWrapped_ = soft;
        lines_.push_back(std::move(current_));
        current_.clear();
        used_ = 0;
        pendingSpace_ = 0;
    }

    std::vector<std::string> finish() {
        lines_.push_back(std::move(current_));
        return std::move(lines_);
    }

private:
    int limit() const { return lines_.empty() ? firstWidth_ : width_; }

    // Spaces before a word stay, except at the start of a line made by wrapping.
    void place(std::string_view word) {
        if (used_ > 0 || !softWrapped_) {
            current_.append(static_cast<std::size_t>(pendingSpace_), ' ');
            used_ += pendingSpace_;
        }
        pendingSpace_ = 0;
        softWrapped_ = false;
        current_ += word;
        used_ += DisplayWidth(word);
    }

    int firstWidth_;
    int width_;
    std::vector<std::string> lines_;
    std::string current_;
    int used_ = 0;
    int pendingSpace_ = 0;
    bool softWrapped_ = false;
};

} // namespace

int DisplayWidth(std::string_view utf8) {
    return static_cast<int>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return !IsContinuation(c); }));
}

std::vector<std::string> WrapText(std::string_view text, int firstWidth, int width) {
    LineFiller filler(firstWidth, width);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '\n') {
            filler.newLine();
            ++pos;
        } else if (c == ' ') {
            filler.addSpace(1);
            ++pos;
        } else if (c == '\t') {
            filler.addTab();
            ++pos;
        } else {
            const std::size_t end = text.find_first_of(" \t\n", pos);
            const std::size_t stop = end == std::string_view::npos ? text.size() : end;
            filler.addWord(text.substr(pos, stop - pos));
            pos = stop;
        }
    }
    return filler.finish();
}

} // namespace korvel::rtf
