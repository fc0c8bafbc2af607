#include "rtf/FieldInstruction.h"

#include <algorithm>
#include <cctype>

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

} // namespace

std::optional<std::string> HyperlinkTarget(std::string_view instruction) {
    constexpr std::string_view kKeyword = "HYPERLINK";
    std::size_t pos = 0;
    SkipSpaces(instruction, pos);
    if (instruction.size() - pos < kKeyword.size() ||
        !std::equal(
            kKeyword.begin(), kKeyword.end(), instruction.begin() + pos,
            [](char a, char b) { return a == std::toupper(static_cast<unsigned char>(b)); })) {
        return std::nullopt;
    }
    pos += kKeyword.size();
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

} // namespace korvel::rtf
