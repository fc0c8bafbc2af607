#include "air/MicE.h"

#include "image/PutCallsign.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace korvel {
namespace {

constexpr long kHundredthsPerDegree = 6000; // 60 minutes of 100 hundredths

// A coordinate in whole degrees, minutes and hundredths of a minute, rounded
// to the hundredth as the report carries it.
struct Sexagesimal {
    long degrees;
    long minutes;
    long hundredths;
};

long HundredthsOf(double degrees) {
    return std::lround(std::fabs(degrees) * kHundredthsPerDegree);
}

Sexagesimal SplitDegrees(double degrees) {
    const long total = HundredthsOf(degrees);
    return {total / kHundredthsPerDegree, total % kHundredthsPerDegree / 100, total % 100};
}

std::optional<double> ParseDegrees(std::string_view text) {
    text = TrimSpaces(text);
    double value = 0;
    const char* end = text.data() + text.size();
    const auto parsed = std::from_chars(text.data(), end, value);
    if (text.empty() || parsed.ec != std::errc{} || parsed.ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// A destination character: the digit itself, or the same digit in P to Y when
// the flag it carries is set.
char Flagged(long digit, bool flag) {
    return static_cast<char>((flag ? 'P' : '0') + digit);
}

char Plus28(long value) {
    return static_cast<char>(value + 28);
}

} // namespace

Result<SamplePosition, std::string> ParseSamplePosition(std::string_view text) {
    const std::size_t comma = text.find(',');
    const auto latitude = ParseDegrees(text.substr(0, comma));
    const auto longitude =
        comma == std::string_view::npos ? std::nullopt : ParseDegrees(text.substr(comma + 1));
    if (!latitude || !longitude) {
        return Failure{
            std::string("a position is LAT,LON in decimal degrees, e.g. 45.4642,9.1900")};
    }
    if (HundredthsOf(*latitude) > 90 * kHundredthsPerDegree) {
        return Failure{std::string("the latitude is -90 to 90 degrees")};
    }
    if (HundredthsOf(*longitude) >= 180 * kHundredthsPerDegree) {
        return Failure{std::string("the longitude is above -180 and below 180 degrees")};
    }
    return SamplePosition{*latitude, *longitude};
}

std::string MicEDestination(const SamplePosition& position, int message) {
    const Sexagesimal lat = SplitDegrees(position.latitude);
    const long digits[6] = {lat.degrees / 10, lat.degrees % 10,    lat.minutes / 10,
                            lat.minutes % 10, lat.hundredths / 10, lat.hundredths % 10};
    const int bits = 7 - message; // Off Duty 111 ... Emergency 000
    const long longitudeDegrees = SplitDegrees(position.longitude).degrees;
    const bool offset100 = longitudeDegrees < 10 || longitudeDegrees >= 100;
    return {Flagged(digits[0], (bits & 4) != 0), Flagged(digits[1], (bits & 2) != 0),
            Flagged(digits[2], (bits & 1) != 0), Flagged(digits[3], position.latitude >= 0),
            Flagged(digits[4], offset100),       Flagged(digits[5], position.longitude < 0)};
}

std::string MicEInformation(const SamplePosition& position, char symbol, char table) {
    const Sexagesimal lon = SplitDegrees(position.longitude);
    long degrees = lon.degrees + 28; // 10 to 99
    if (lon.degrees < 10) {
        degrees = lon.degrees + 118;
    } else if (lon.degrees >= 110) {
        degrees = lon.degrees - 72;
    } else if (lon.degrees >= 100) {
        degrees = lon.degrees + 8;
    }
    const long minutes = lon.minutes < 10 ? lon.minutes + 88 : lon.minutes + 28;
    // Speed in tens of knots, kept printable (0-199 knots in 108-127); the
    // course's hundreds raised by 4 (a course of 400 or more is taken less 400)
    // so that the byte never falls below a space.
    const long tens = position.speedKnots / 10;
    const long speed = position.speedKnots < 200 ? tens + 108 : tens + 28;
    const long speedUnitsAndCourse =
        (position.speedKnots % 10) * 10 + position.courseDegrees / 100 + 4 + 28;
    return {'`',
            static_cast<char>(degrees),
            static_cast<char>(minutes),
            Plus28(lon.hundredths),
            static_cast<char>(speed),
            static_cast<char>(speedUnitsAndCourse),
            Plus28(position.courseDegrees % 100),
            symbol,
            table};
}

} // namespace korvel
