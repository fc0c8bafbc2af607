#include "image/PutCallsign.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <variant>

namespace korvel {
namespace {

constexpr long kSsidBase = '0';
constexpr long kHighestSsidCode = kSsidBase + 15;

struct ParsedCallsign {
    std::array<std::uint8_t, kAddressEntrySize> entry{};
    std::string normalised;
};

// The whole number with optional sign at the start of `text`, 0 without one.
// Saturates far beyond 16 bits, so an absurd number still reads as too large.
long LeadingWholeNumber(std::string_view text) {
    constexpr long kCeiling = 1'000'000'000;
    long sign = 1;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        sign = text.front() == '-' ? -1 : 1;
        text.remove_prefix(1);
    }
    long magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        magnitude = std::min(kCeiling, magnitude * 10 + (c - '0'));
    }
    return sign * magnitude;
}

bool FitsSigned16(long value) {
    return value >= std::numeric_limits<std::int16_t>::min() &&
           value <= std::numeric_limits<std::int16_t>::max();
}

std::variant<ParsedCallsign, std::string> ParseCallsign(std::string_view text) {
    text = TrimSpaces(text);
    const std::size_t dash = text.empty() ? std::string_view::npos : text.find('-', 1);
    const std::string_view callsign = text.substr(0, dash);
    std::string_view suffix; // from the "-" on
    long ssidCode = kSsidBase;
    if (dash != std::string_view::npos) {
        suffix = text.substr(dash);
        const long number = LeadingWholeNumber(suffix.substr(1));
        ssidCode = kSsidBase + number;
        if (!FitsSigned16(ssidCode)) {
            return "SSID code " + std::to_string(ssidCode) + " does not fit 16 bits";
        }
        if (number < 0 || ssidCode > kHighestSsidCode) {
            ssidCode = kSsidBase;
        }
    }

    ParsedCallsign parsed;
    parsed.entry.fill(' ');
    std::copy_n(callsign.begin(), std::min(callsign.size(), kCallsignLength), parsed.entry.begin());
    parsed.entry[kCallsignLength] = static_cast<std::uint8_t>(ssidCode);

    const std::string_view six(reinterpret_cast<const char*>(parsed.entry.data()), kCallsignLength);
    parsed.normalised = std::string(TrimSpaces(six));
    if (ssidCode != kSsidBase) {
        parsed.normalised += suffix;
    }
    return parsed;
}

} // namespace

std::string_view TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

EncodedCallsign PutCallsign(ConfigImage& image, std::size_t& position, std::string_view text,
                            bool last) {
    auto parsed = ParseCallsign(text);
    if (auto* failure = std::get_if<std::string>(&parsed)) {
        return {"", std::move(*failure)};
    }
    auto& callsign = std::get<ParsedCallsign>(parsed);
    for (std::size_t i = 0; i < kAddressEntrySize; ++i) {
        if (auto failure = PutByte(image, position + i, callsign.entry[i])) {
            return {"", std::move(failure)};
        }
    }
    position += kCallsignLength;
    if (last) {
        if (auto failure = PutByte(image, position + 1, 0)) {
            return {"", std::move(failure)};
        }
    }
    return {std::move(callsign.normalised), std::nullopt};
}

} // namespace korvel
