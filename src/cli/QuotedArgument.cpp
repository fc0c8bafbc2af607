#include "cli/QuotedArgument.h"

#include "settings/FieldError.h"

#include <algorithm>

namespace korvel::cli {

std::string QuotedArgument(std::string_view utf8) {
    std::size_t cut = std::min(kQuotedBytes, utf8.size());
    while (cut > 0 && cut < utf8.size() && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80) {
        --cut; // a continuation byte: the character began before it
    }
    return QuotedPrefix(utf8, cut);
}

} // namespace korvel::cli
