#include "settings/FieldRule.h"

#include "settings/FieldTable.h"

#include <algorithm>

namespace korvel {
namespace {

bool IsDigit(std::uint8_t code) {
    return code >= '0' && code <= '9';
}

bool IsAnyCharacter(std::uint8_t code) {
    return (code >= 32 && code <= 126) || code >= 128;
}

} // namespace

bool FieldRule::positionTakes(std::size_t position, std::uint8_t code) const {
    if (!traits_.isMasked()) {
        return true;
    }
    if (position >= traits_.mask.size()) {
        return false;
    }
    switch (traits_.mask[position]) {
    case '9':
    case '#':
        return IsDigit(code);
    case '&':
        return IsAnyCharacter(code);
    default:
        return false;
    }
}

Result<void, FieldError> FieldRule::check(std::string_view text) const {
    if (!traits_.isText()) {
        return Failure{FieldError{traits_.field, "is not a text field"}};
    }
    if (!traits_.isMasked()) {
        if (text.size() > static_cast<std::size_t>(traits_.maxLength)) {
            return Failure{FieldError{traits_.field, QuotedValue(text) + " is longer than " +
                                                         std::to_string(traits_.maxLength) +
                                                         " characters"}};
        }
        // The tracker takes a 0 as the end of a text or of the address list:
        // what followed it would be lost on the air, or read as another field.
        if (text.find('\0') != std::string_view::npos) {
            return Failure{FieldError{traits_.field, QuotedValue(text) +
                                                         " holds a character of code 0, which "
                                                         "the tracker takes as the end of a text"}};
        }
        return {};
    }
    bool fits = text.size() == traits_.mask.size();
    for (std::size_t i = 0; fits && i < text.size(); ++i) {
        const auto code = static_cast<std::uint8_t>(text[i]);
        fits = code == static_cast<std::uint8_t>(kPrompt) || positionTakes(i, code);
    }
    if (!fits) {
        return Failure{FieldError{traits_.field, QuotedValue(text) + " does not fit the field"}};
    }
    return {};
}

std::string FieldRule::emptyText() const {
    return std::string(traits_.mask.size(), kPrompt);
}

Result<void, FieldError> CheckValue(const FieldTraits& traits, int value) {
    switch (traits.kind) {
    case FieldKind::Check:
        if (value < 0 || value > 2) {
            return Failure{
                FieldError{traits.field, std::to_string(value) + " is not a check-box state"}};
        }
        return {};
    case FieldKind::ListIndex:
        if (value < -1 || value >= static_cast<int>(kMicEEntries.size())) {
            return Failure{
                FieldError{traits.field, "the list has no entry " + std::to_string(value)}};
        }
        return {};
    case FieldKind::Text:
        break;
    }
    return Failure{FieldError{traits.field, "is a text field"}};
}

std::string ZeroPadded(long value, int digits) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < digits) {
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    }
    return text;
}

} // namespace korvel
