#include "settings/FieldError.h"

namespace korvel {

std::string QuotedValue(std::string_view text) {
    constexpr std::size_t kShown = 40;
    if (text.size() <= kShown) {
        return "'" + std::string(text) + "'";
    }
    return "'" + std::string(text.substr(0, kShown)) + "...'";
}

} // namespace korvel
