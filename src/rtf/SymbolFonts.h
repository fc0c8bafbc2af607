#pragma once

#include <cstdint>
#include <string_view>

namespace korvel::rtf {

// Windows symbol fonts put pictures, not letters, at their byte codes: list
// bullets are written as \'b7 in Symbol or \'a7 in Wingdings. This gives the
// Unicode character that looks like byte `byte` of font `fontName`.
char32_t SymbolFontCharacter(std::string_view fontName, std::uint8_t byte);

} // namespace korvel::rtf
