#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvel {

// The tracker's single-byte code page, Windows-1252. The five bytes that
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1
// controls of the same number, so every byte has one character and round-trips.
// The core keeps texts as these bytes; only the window and the command line
// convert them, at their edges.

char32_t CodePageToUnicode(std::uint8_t byte);

// The byte of `character`, or nothing when the code page lacks it.
std::optional<std::uint8_t> UnicodeToCodePage(char32_t character);

// Appends `character` to `out` as UTF-8; a value that is no character becomes U+FFFD.
void AppendUtf8(std::string& out, char32_t character);

// Code-page bytes as UTF-8 text.
std::string CodePageToUtf8(std::string_view bytes);

struct Utf8Conversion {
    std::string bytes;                  // the code-page bytes, when everything converted
    std::optional<char32_t> unmappable; // the first character the code page lacks
    bool malformed = false;             // the input was not valid UTF-8
    bool ok() const { return !unmappable && !malformed; }
};

// UTF-8 text as code-page bytes.
Utf8Conversion Utf8ToCodePage(std::string_view utf8);

} // namespace korvel
