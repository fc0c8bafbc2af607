#pragma once

#include "settings/Result.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace korvel {

// The number conversions of the settings file.
//
// A number is: an optional sign, digits with an optional decimal point and
// fraction (at least one digit in all), and an optional exponent ("e" or "E",
// optional sign, digits). Spaces may stand before and after it.

enum class StrictFailure { NotANumber, OutOfRange };

// Strict whole number: `text` must be a number as a whole; it is rounded to
// the nearest whole number, ties to the even neighbour (4.5 gives 4, 5.5
// gives 6), and must lie within [minimum, maximum]. A text that is not a
// number (an empty one included) or a result out of range fails.
Result<long long, StrictFailure> StrictWholeNumber(std::string_view text, long long minimum,
                                                   long long maximum);

// Lenient number: the number at the start of `text` (0 when it does not start
// with one; "12abc" gives 12), rounded as above, as a 32-bit signed integer.
// Nothing only when the result lies outside that range.
std::optional<std::int32_t> LenientNumber(std::string_view text);

// The smallest and largest 16-bit signed integers: the range of the two numbers
// of line 1 of the settings file.
inline constexpr long long kInt16Min = -32768;
inline constexpr long long kInt16Max = 32767;

} // namespace korvel
