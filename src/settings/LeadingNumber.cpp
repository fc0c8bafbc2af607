#include "settings/LeadingNumber.h"

#include <algorithm>

namespace korvel {

long LeadingWholeNumber(std::string_view text, LeadingSign sign) {
    constexpr long kCeiling = 1'000'000'000;
    long factor = 1;
    if (sign == LeadingSign::Taken && !text.empty() &&
        (text.front() == '+' || text.front() == '-')) {
        factor = text.front() == '-' ? -1 : 1;
        text.remove_prefix(1);
    }
    long magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        magnitude = std::min(kCeiling, magnitude * 10 + (c - '0'));
    }
    return factor * magnitude;
}

} // namespace korvel
