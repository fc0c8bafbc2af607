#include "rtf/ColorTableReader.h"

#include "rtf/ReaderLimits.h"

#include <cstdint>

namespace korvel::rtf::detail {

void ColorTableReader::word(Word word, int n) {
    const auto component = static_cast<std::uint8_t>(Clamp(n, 0, 255));
    if (word == Word::Red) {
        color_.red = component;
    } else if (word == Word::Green) {
        color_.green = component;
    } else if (word == Word::Blue) {
        color_.blue = component;
    } else {
        return;
    }
    hasValue_ = true;
}

void ColorTableReader::character(char32_t c) {
    if (c != ';') {
        return;
    }
    Color color = color_;
    color.automatic = !hasValue_;
    colors_.push_back(color);
    color_ = Color{};
    hasValue_ = false;
}

} // namespace korvel::rtf::detail
