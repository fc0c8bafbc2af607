#pragma once

#include <cstdint>

namespace korvel::rtf {

// The code page a document's bytes are in when it names none, or names one the
// reader has no table for.
constexpr int kDefaultCodePage = 1252;

// `codePage` when the reader has a table for it, else the default code page.
// The reader knows the single-byte Windows code pages 874 and 1250 to 1258 and
// the DOS code pages 437 and 850.
int SupportedCodePage(int codePage);

// The code page of text set in a font of character set `charset`. ANSI, default
// and unknown character sets follow `documentCodePage`.
int CharsetCodePage(int charset, int documentCodePage);

// Font character set whose byte codes stand for pictures, not letters.
constexpr int kSymbolCharset = 2;

// The character of `byte` in `codePage`; a byte the code page leaves undefined
// is U+FFFD, and an unknown code page reads as the default one.
char32_t CodePageCharacter(int codePage, std::uint8_t byte);

} // namespace korvel::rtf
