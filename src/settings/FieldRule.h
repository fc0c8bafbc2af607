#pragma once

#include "settings/FieldError.h"
#include "settings/LeadingNumber.h"
#include "settings/Result.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace korvel {

// The rules of a masked edit field, shared by the window's fields and the
// in-memory record so that the two can never disagree.
//
// Mask characters: "9" a digit or empty, "#" a digit, "&" any character of
// code 32 to 126 or 128 to 255. Empty positions hold the prompt "_".
class FieldRule {
public:
    static constexpr char kPrompt = '_';

    explicit FieldRule(const FieldTraits& traits) : traits_(traits) {}
    // The rule keeps a reference: a temporary's traits would be gone before it is used.
    explicit FieldRule(const FieldTraits&& traits) = delete;

    // Whether typing `code` into mask position `position` is allowed.
    bool positionTakes(std::size_t position, std::uint8_t code) const;

    // Whether the program may put `text` into the field, and why not when it may
    // not: a masked field takes exactly one fitting character or "_" per
    // position; an unmasked one at most its length limit (a longer text is
    // refused, not cut) and no character of code 0.
    Result<void, FieldError> check(std::string_view text) const;

    // The text of the field with every position empty: "___" for "999", "" unmasked.
    std::string emptyText() const;

private:
    const FieldTraits& traits_;
};

// Whether a check box or the Mic-E list takes `value`, and why not: check boxes
// take 0, 1 and 2, the list -1 (nothing selected) to 7.
Result<void, FieldError> CheckValue(const FieldTraits& traits, int value);

// The number formed by the leading decimal digits of `text`, 0 when it starts
// with no digit ("12_" gives 12). Saturates far above any field's range.
inline long NumericValue(std::string_view text) {
    return LeadingWholeNumber(text, LeadingSign::NotTaken);
}

// `value` in decimal with leading zeros up to `digits` positions: (7, 3) gives "007".
// A value with more digits is written whole: (1000, 3) gives "1000".
std::string ZeroPadded(long value, int digits);

} // namespace korvel
