#include "settings/KeyFilters.h"

namespace korvel {
namespace {

constexpr std::uint16_t kBackspace = 8;

bool IsLetterOrDigit(std::uint16_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Shared by the callsign and path filters: drop what is not accepted, then
// turn a lower-case letter into upper case.
void FilterAddressKey(std::uint16_t& keyCode, bool acceptsComma) {
    if (keyCode == kBackspace) {
        return;
    }
    const bool accepted =
        IsLetterOrDigit(keyCode) || keyCode == '-' || (acceptsComma && keyCode == ',');
    if (!accepted) {
        keyCode = 0;
    } else if (keyCode >= 'a' && keyCode <= 'z') {
        keyCode = static_cast<std::uint16_t>(keyCode - 'a' + 'A');
    }
}

} // namespace

void FilterCallsignKey(std::uint16_t& keyCode) {
    FilterAddressKey(keyCode, false);
}

void FilterPathKey(std::uint16_t& keyCode) {
    FilterAddressKey(keyCode, true);
}

void FilterStatusTextKey(std::uint16_t& keyCode) {
    if (keyCode == '\'' || keyCode == '`' || keyCode >= 123) {
        keyCode = 0;
    }
}

void FilterMessageKey(std::uint16_t& keyCode) {
    if (keyCode == '{' || keyCode == '|' || keyCode >= 126) {
        keyCode = 0;
    }
}

void ApplyKeyFilter(KeyFilter filter, std::uint16_t& keyCode) {
    switch (filter) {
    case KeyFilter::Callsign:
        FilterCallsignKey(keyCode);
        break;
    case KeyFilter::Path:
        FilterPathKey(keyCode);
        break;
    case KeyFilter::StatusText:
        FilterStatusTextKey(keyCode);
        break;
    case KeyFilter::MessageText:
        FilterMessageKey(keyCode);
        break;
    case KeyFilter::None:
        break;
    }
}

} // namespace korvel
