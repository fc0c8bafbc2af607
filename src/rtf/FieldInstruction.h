#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvel::rtf {

// The target of a HYPERLINK field instruction: the quoted or bare address, or
// "#name" for a \l bookmark. Nothing for any other field.
std::optional<std::string> HyperlinkTarget(std::string_view instruction);

// What a SYMBOL field instruction shows: character `code` of font `font` (the
// font in use when it names none), or Unicode character `code` with \u.
struct SymbolField {
    char32_t code = 0;
    std::optional<std::string> font;
    bool unicode = false;
};

// The character of a SYMBOL field, decimal or 0x hexadecimal; nothing for any
// other field or a number that is no character.
std::optional<SymbolField> SymbolFieldCharacter(std::string_view instruction);

} // namespace korvel::rtf
