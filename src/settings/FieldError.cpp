#include "settings/FieldError.h"

#include "settings/ControlBytes.h"

namespace korvel {

std::string QuotedValue(std::string_view text) {
    constexpr std::size_t kShown = 40;
    if (text.size() <= kShown) {
        return "'" + EscapeControlBytes(text) + "'";
    }
    return "'" + EscapeControlBytes(text.substr(0, kShown)) + "...'";
}

} // namespace korvel
