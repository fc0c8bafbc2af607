#pragma once

#include "image/ImageBytes.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvel {

inline constexpr std::size_t kCallsignLength = 6;
inline constexpr std::size_t kAddressEntrySize = kCallsignLength + 1;

using AddressEntry = std::array<std::uint8_t, kAddressEntrySize>;

// A callsign field's text as the tracker takes it: its address entry and the
// normalised text.
struct ParsedCallsign {
    AddressEntry entry{};
    std::string normalised;
};

// The text is trimmed of spaces; a "-" after its first character splits off the
// SSID number n. An SSID outside 1 to 15 (none, 0, above 15 or negative) gives
// "0" and drops the suffix from the normalised text; otherwise the suffix stays
// as typed ("AB-05"). Fails when 48 + n does not fit a signed 16-bit number.
Result<ParsedCallsign, std::string> ParseCallsign(std::string_view text);

// The text that gives `entry`, the SSID written as a plain number ("AB-5"), or
// why no text gives it (a leading space, a "-" inside the callsign, an SSID
// byte outside "0" to "?").
struct EntryError {
    std::size_t index; // of the byte within the entry
    std::string reason;
};
Result<std::string, EntryError> ReadCallsign(const AddressEntry& entry);

// Writes one address entry at `position`: the callsign cut or filled up with
// spaces to six characters, then the SSID character "0" + n (ParseCallsign).
// Leaves `position` on the SSID byte; when `last` is set, writes the 0 that
// ends the address list right after the entry.
//
// Gives the normalised text, which the field shows for what was written. Fails,
// writing nothing, when ParseCallsign fails, and stops at the end of the image.
Result<std::string, std::string> PutCallsign(ConfigImage& image, std::size_t& position,
                                             std::string_view text, bool last);

// `text` without its leading and trailing spaces.
std::string_view TrimSpaces(std::string_view text);

} // namespace korvel
