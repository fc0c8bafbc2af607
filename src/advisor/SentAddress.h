#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

// An address as the tracker puts it on the air: the six characters of its entry
// without the filling spaces, and the SSID. It comes from the image's own
// encoder, so the advice says exactly what BuildImage will write.
struct SentAddress {
    std::string callsign;
    int ssid = 0;

    // "IK0ABC-9", or "IK0ABC" for SSID 0.
    std::string onAir() const;
};

// What the tracker sends for the text of a callsign field.
SentAddress SentAddressOf(std::string_view text);

// One address of the digipeater path: the text as split by the image code and
// what the tracker sends for it.
struct SentPathAddress {
    std::string typed; // trimmed
    SentAddress sent;
};

// The path's addresses as the image code splits them: none, one or two.
std::vector<SentPathAddress> SentPathOf(std::string_view path);

// The path as it goes on the air ("WIDE1-1,WIDE2-1"); empty for no path.
std::string PathOnAir(const std::vector<SentPathAddress>& path);

// Why `typed` (trimmed) is not an address that exists on the air, or nothing
// when it is one: at most six letters and digits, then an optional "-" and an
// SSID from 0 to 15.
std::optional<std::string> AddressProblem(std::string_view typed);

} // namespace korvel
