#include "settings/ControlBytes.h"

namespace korvel {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsControl(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F;
}

} // namespace

std::string EscapeControlBytes(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (!IsControl(byte)) {
            shown += c;
        } else if (c == '\r') {
            shown += "\\r";
        } else if (c == '\n') {
            shown += "\\n";
        } else if (c == '\t') {
            shown += "\\t";
        } else {
            shown += "\\x";
            shown += kHexDigits[byte >> 4];
            shown += kHexDigits[byte & 0xF];
        }
    }
    return shown;
}

} // namespace korvel
