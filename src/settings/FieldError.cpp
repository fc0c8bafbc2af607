#include "settings/FieldError.h"

#include "settings/ControlBytes.h"

namespace korvel {

std::string QuotedPrefix(std::string_view text, std::size_t shown) {
    if (text.size() <= shown) {
        return "'" + EscapeControlBytes(text) + "'";
    }
    return "'" + EscapeControlBytes(text.substr(0, shown)) + "...'";
}

std::string QuotedValue(std::string_view text) {
    return QuotedPrefix(text, kQuotedBytes);
}

} // namespace korvel
