#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace korvel::rtf {

struct Token {
    enum class Kind {
        GroupStart,    // {
        GroupEnd,      // }
        ControlWord,   // \word or \wordN; `name` and `parameter`
        ControlSymbol, // \x for a non-letter x; `name` holds x
        HexByte,       // \'hh; `byte`
        Text,          // plain characters, no line ends; `name` holds them
        Binary,        // the data of \binN; `name` holds it
        End,
    };
    Token() = default;
    explicit Token(Kind k) : kind(k) {}

    Kind kind = Kind::End;
    std::string_view name;
    bool hasParameter = false;
    int parameter = 0;
    std::uint8_t byte = 0;
};

// The value of the hexadecimal digit `c` (either case), or -1 for any other character.
int HexValue(char c);

// Cuts RTF into tokens in one pass. Numbers are clamped to the int range, long
// control words are read whole, and \bin data never runs past the input.
class RtfTokenizer {
public:
    explicit RtfTokenizer(std::string_view input) : input_(input) {}
    Token next();

private:
    Token readControl();
    Token readSymbol();
    Token readWord();
    Token readText();

    std::string_view input_;
    std::size_t pos_ = 0;
};

} // namespace korvel::rtf
