#include "cli/QuotedArgument.h"

#include "settings/ControlBytes.h"

namespace korvel::cli {

std::string QuotedArgument(std::string_view utf8) {
    constexpr std::size_t kShown = 40;
    if (utf8.size() <= kShown) {
        return "'" + EscapeControlBytes(utf8) + "'";
    }
    std::size_t cut = kShown;
    while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80) {
        --cut; // a continuation byte: the character began before it
    }
    return "'" + EscapeControlBytes(utf8.substr(0, cut)) + "...'";
}

} // namespace korvel::cli
