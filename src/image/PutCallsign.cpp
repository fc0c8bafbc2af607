#include "image/PutCallsign.h"

#include "settings/LeadingNumber.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

namespace korvel {
namespace {

constexpr long kSsidBase = '0';
constexpr long kHighestSsidCode = kSsidBase + 15;

bool FitsSigned16(long value) {
    return value >= std::numeric_limits<std::int16_t>::min() &&
           value <= std::numeric_limits<std::int16_t>::max();
}

} // namespace

Result<ParsedCallsign, std::string> ParseCallsign(std::string_view text) {
    text = TrimSpaces(text);
    const std::size_t dash = text.empty() ? std::string_view::npos : text.find('-', 1);
    const std::string_view callsign = text.substr(0, dash);
    std::string_view suffix; // from the "-" on
    long ssidCode = kSsidBase;
    if (dash != std::string_view::npos) {
        suffix = text.substr(dash);
        const long number = LeadingWholeNumber(suffix.substr(1), LeadingSign::Taken);
        ssidCode = kSsidBase + number;
        if (!FitsSigned16(ssidCode)) {
            return Failure{"SSID code " + std::to_string(ssidCode) + " does not fit 16 bits"};
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

Result<std::string, EntryError> ReadCallsign(const AddressEntry& entry) {
    const std::string_view six(reinterpret_cast<const char*>(entry.data()), kCallsignLength);
    const std::string_view callsign = TrimSpaces(six);
    const long ssid = entry[kCallsignLength] - kSsidBase;
    if (ssid < 0 || entry[kCallsignLength] > kHighestSsidCode) {
        return Failure{EntryError{kCallsignLength, "SSID byte " +
                                                       std::to_string(entry[kCallsignLength]) +
                                                       " is not \"0\" to \"?\""}};
    }
    if (!callsign.empty() && six.front() == ' ') {
        return Failure{EntryError{0, "the callsign starts with a space"}};
    }
    if (const std::size_t zero = six.find('\0'); zero != std::string_view::npos) {
        return Failure{EntryError{zero, "the callsign holds a 0 byte"}};
    }
    if (const std::size_t dash = six.find('-', 1); dash != std::string_view::npos) {
        return Failure{EntryError{dash, "a \"-\" after the first character would start the SSID"}};
    }
    if (callsign.empty() && ssid != 0) {
        return Failure{
            EntryError{kCallsignLength, "a blank callsign with SSID " + std::to_string(ssid)}};
    }
    std::string text(callsign);
    if (ssid != 0) {
        text += "-" + std::to_string(ssid);
    }
    return text;
}

std::string_view TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

Result<std::string, std::string> PutCallsign(ConfigImage& image, std::size_t& position,
                                             std::string_view text, bool last) {
    auto parsed = ParseCallsign(text);
    if (!parsed) {
        return Failure{std::move(parsed).error()};
    }
    for (std::size_t i = 0; i < kAddressEntrySize; ++i) {
        if (auto put = PutByte(image, position + i, parsed->entry[i]); !put) {
            return Failure{std::move(put).error()};
        }
    }
    position += kCallsignLength;
    if (last) {
        if (auto put = PutByte(image, position + 1, 0); !put) {
            return Failure{std::move(put).error()};
        }
    }
    return std::move(parsed->normalised);
}

} // namespace korvel
