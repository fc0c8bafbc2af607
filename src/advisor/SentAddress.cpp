#include "advisor/SentAddress.h"

#include "image/AprsPath.h"
#include "image/PutCallsign.h"

#include <algorithm>
#include <charconv>

namespace korvel {
namespace {

bool IsCallsignCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

} // namespace

std::string SentAddress::onAir() const {
    return ssid == 0 ? callsign : callsign + "-" + std::to_string(ssid);
}

SentAddress SentAddressOf(std::string_view text) {
    const auto parsed = ParseCallsign(text);
    if (!parsed) {
        return {}; // the build refuses it; the advice has nothing to add
    }
    const std::string_view six(reinterpret_cast<const char*>(parsed->entry.data()),
                               kCallsignLength);
    return {std::string(TrimSpaces(six)), parsed->entry[kCallsignLength] - '0'};
}

std::vector<SentPathAddress> SentPathOf(std::string_view path) {
    std::vector<SentPathAddress> addresses;
    if (AprsPathIsEmpty(path)) {
        return addresses;
    }
    const AprsPathParts parts = SplitAprsPath(TrimSpaces(path));
    addresses.push_back({std::string(TrimSpaces(parts.first)), SentAddressOf(parts.first)});
    if (parts.second) {
        addresses.push_back({std::string(TrimSpaces(*parts.second)), SentAddressOf(*parts.second)});
    }
    return addresses;
}

std::string PathOnAir(const std::vector<SentPathAddress>& path) {
    std::string text;
    for (const SentPathAddress& address : path) {
        text += (text.empty() ? "" : ",") + address.sent.onAir();
    }
    return text;
}

std::optional<std::string> AddressProblem(std::string_view typed) {
    const std::size_t dash = typed.find('-');
    const std::string_view callsign = typed.substr(0, dash);
    if (callsign.size() > 6) {
        return "an address has at most six characters before the SSID";
    }
    if (callsign.empty() || !std::ranges::all_of(callsign, IsCallsignCharacter)) {
        return "an address holds only capital letters and digits, then -SSID";
    }
    if (dash == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view ssid = typed.substr(dash + 1);
    if (ssid.empty() || !std::ranges::all_of(ssid, [](char c) { return c >= '0' && c <= '9'; })) {
        return "an SSID is a number from 0 to 15";
    }
    int number = 0;
    const auto parsed = std::from_chars(ssid.data(), ssid.data() + ssid.size(), number);
    if (parsed.ec != std::errc{} || number > 15) {
        return "an SSID above 15 does not exist on the air";
    }
    return std::nullopt;
}

} // namespace korvel
