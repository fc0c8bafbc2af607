#pragma once

#include "rtf/Document.h"

#include <cstdint>

namespace korvel::rtf {

// Fonts whose byte codes stand for signs and pictures, not letters.
enum class SymbolFont : std::uint8_t {
    None,      // a font of letters
    Symbol,    // Greek letters and mathematical signs
    Wingdings, // pictures, arrows, stars, bullets
    Other,     // another font of the symbol character set
};

// Which symbol font `font` is. Symbol and Wingdings are known by name, whatever
// character set the font table gives them, since they have no letters at all.
SymbolFont SymbolFontOf(const Font& font);

// The Unicode character that looks like byte `byte` of `font` (not None).
// Symbol and Wingdings follow their code charts, with U+FFFD where a chart
// leaves a code empty or Unicode has no such picture. Another symbol font
// keeps ASCII and shows higher bytes as a bullet, the commonest use of them.
char32_t SymbolFontCharacter(SymbolFont font, std::uint8_t byte);

// Word writes a symbol font's byte b as the private-use character U+F000 + b.
constexpr char32_t kSymbolPrivateUseBase = 0xF000;

} // namespace korvel::rtf
