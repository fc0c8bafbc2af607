#include "rtf/FieldInstruction.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace korvel::rtf {
namespace {

void SkipSpaces(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) {
        ++pos;
    }
}

std::string NextArgument(std::string_view text, std::size_t& pos) {
    SkipSpaces(text, pos);
    std::string argument;
    if (pos < text.size() && text[pos] == '"') {
        ++pos;
        while (pos < text.size() && text[pos] != '"') {
            argument += text[pos++];
        }
        ++pos;
    } else {
        while (pos < text.size() && !std::isspace(static_cast<unsigned char>(text[pos]))) {
            argument += text[pos++];
        }
    }
    return argument;
}

// Whether the instruction starts with the field type `keyword` (upper case);
// if so, `pos` is moved past it.
bool StartsWithKeyword(std::string_view instruction, std::string_view keyword, std::size_t& pos) {
    SkipSpaces(instruction, pos);
    if (instruction.size() - pos < keyword.size() ||
        !std::equal(keyword.begin(), keyword.end(), instruction.begin() + pos, [](char a, char b) {
            return a == std::toupper(static_cast<unsigned char>(b));
        })) {
        return false;
    }
    pos += keyword.size();
    return true;
}

std::optional<char32_t> CharacterNumber(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value == 0 ||
        value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return std::nullopt;
    }
    return static_cast<char32_t>(value);
}

} // namespace

std::optional<std::string> HyperlinkTarget(std::string_view instruction) {
    std::size_t pos = 0;
    if (!StartsWithKeyword(instruction, "HYPERLINK", pos)) {
        return std::nullopt;
    }
    std::string address;
    std::string bookmark;
    while (pos < instruction.size()) {
        std::string argument = NextArgument(instruction, pos);
        if (argument == "\\l") {
            bookmark = NextArgument(instruction, pos);
        } else if (argument == "\\o" || argument == "\\t") {
            NextArgument(instruction, pos); // tool tip and target frame: not used
        } else if (address.empty() && !argument.starts_with('\\')) {
            address = std::move(argument);
        }
    }
    if (!bookmark.empty()) {
        address += "#" + bookmark;
    }
    if (address.empty()) {
        return std::nullopt;
    }
    return address;
}

std::optional<SymbolField> SymbolFieldCharacter(std::string_view instruction) {
    std::size_t pos = 0;
    if (!StartsWithKeyword(instruction, "SYMBOL", pos)) {
        return std::nullopt;
    }
    const std::optional<char32_t> code = CharacterNumber(NextArgument(instruction, pos));
    if (!code) {
        return std::nullopt;
    }
    SymbolField field{*code, std::nullopt, false};
    while (pos < instruction.size()) {
        const std::string argument = NextArgument(instruction, pos);
        if (argument == "\\f" || argument == "\\F") {
            field.font = NextArgument(instruction, pos);
        } else if (argument == "\\u" || argument == "\\U") {
            field.unicode = true;
        } else if (argument == "\\s" || argument == "\\S") {
            NextArgument(instruction, pos); // the size in points: the run's own size is kept
        }
    }
    if (!field.unicode && field.code > 0xFF) {
        field.unicode = true; // no font has a byte that large
    }
    return field;
}

} // namespace korvel::rtf
