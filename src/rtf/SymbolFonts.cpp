#include "rtf/SymbolFonts.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace korvel::rtf {
namespace {

bool NameStartsWith(std::string_view name, std::string_view prefix) {
    return name.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), name.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

char32_t Lookup(const auto& table, std::uint8_t byte) {
    for (const auto& [code, character] : table) {
        if (code == byte) {
            return character;
        }
    }
    return 0;
}

constexpr std::array<std::pair<std::uint8_t, char32_t>, 8> kWingdings = {{
    {0x6C, 0x25CF}, // black circle
    {0x6E, 0x25A0}, // black square
    {0x71, 0x2751}, // shadowed square
    {0xA7, 0x25AA}, // small black square
    {0xD8, 0x27A2}, // arrowhead
    {0xFC, 0x2714}, // check mark
    {0x76, 0x2756}, // diamond
    {0x9F, 0x2022}, // bullet
}};

constexpr std::array<std::pair<std::uint8_t, char32_t>, 6> kSymbol = {{
    {0xB7, 0x2022}, // bullet
    {0xA8, 0x2663}, // club
    {0xA9, 0x2666}, // diamond
    {0xAB, 0x2194}, // left-right arrow
    {0xAE, 0x2192}, // right arrow
    {0xB0, 0x00B0}, // degree
}};

} // namespace

char32_t SymbolFontCharacter(std::string_view fontName, std::uint8_t byte) {
    char32_t character = 0;
    if (NameStartsWith(fontName, "Wingdings")) {
        character = Lookup(kWingdings, byte);
    } else {
        character = Lookup(kSymbol, byte);
    }
    if (character != 0) {
        return character;
    }
    return byte < 0x80 ? byte : char32_t{0x2022};
}

} // namespace korvel::rtf
