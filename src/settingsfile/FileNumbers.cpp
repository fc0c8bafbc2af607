#include "settingsfile/FileNumbers.h"

#include "settings/RoundHalfEven.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace korvel {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipSpaces(std::string_view text, std::size_t pos) {
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
    return pos;
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsDigit(text[pos])) {
        ++pos;
    }
    return pos;
}

// The length of the number that starts at text[0], 0 when there is none.
std::size_t NumberLength(std::string_view text) {
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
    const std::size_t integerStart = pos;
    pos = SkipDigits(text, pos);
    std::size_t digits = pos - integerStart;
    if (pos < text.size() && text[pos] == '.') {
        const std::size_t fractionStart = pos + 1;
        const std::size_t fractionEnd = SkipDigits(text, fractionStart);
        digits += fractionEnd - fractionStart;
        if (digits > 0) {
            pos = fractionEnd;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exponent = pos + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const std::size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) {
            pos = exponentEnd;
        }
    }
    return pos;
}

// The value of a number found by NumberLength; +-infinity when it overflows a
// double, so that every range check refuses it.
double ValueOf(std::string_view number) {
    std::size_t start = 0;
    bool negative = false;
    if (number[0] == '+' || number[0] == '-') {
        negative = number[0] == '-';
        start = 1;
    }
    double value = 0;
    const char* first = number.data() + start;
    const char* last = number.data() + number.size();
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Too large in magnitude, or so small that it is as good as 0: tell them
        // apart by the exponent's sign.
        const std::string_view digits(first, static_cast<std::size_t>(last - first));
        const auto e = digits.find_first_of("eE");
        const bool tiny =
            e != std::string_view::npos && e + 1 < digits.size() && digits[e + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (ec != std::errc() || end != last) {
        value = std::numeric_limits<double>::infinity(); // cannot happen for a checked form
    }
    return negative ? -value : value;
}

std::optional<long long> InRange(double rounded, long long minimum, long long maximum) {
    if (!(rounded >= static_cast<double>(minimum) && rounded <= static_cast<double>(maximum))) {
        return std::nullopt;
    }
    return static_cast<long long>(rounded);
}

} // namespace

Result<long long, StrictFailure> StrictWholeNumber(std::string_view text, long long minimum,
                                                   long long maximum) {
    const std::size_t start = SkipSpaces(text, 0);
    const std::size_t length = NumberLength(text.substr(start));
    if (length == 0 || SkipSpaces(text, start + length) != text.size()) {
        return Failure{StrictFailure::NotANumber};
    }
    const auto value =
        InRange(RoundHalfEven(ValueOf(text.substr(start, length))), minimum, maximum);
    if (!value) {
        return Failure{StrictFailure::OutOfRange};
    }
    return *value;
}

std::optional<std::int32_t> LenientNumber(std::string_view text) {
    const std::size_t start = SkipSpaces(text, 0);
    const std::size_t length = NumberLength(text.substr(start));
    if (length == 0) {
        return 0;
    }
    const auto value =
        InRange(RoundHalfEven(ValueOf(text.substr(start, length))),
                std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    if (!value) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*value);
}

} // namespace korvel
