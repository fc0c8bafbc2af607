#pragma once

#include "settings/Result.h"

#include <string>
#include <string_view>

namespace korvel {

// A position for a packet that the settings do not give: the tracker sends its
// GPS fix, so the view takes a sample the user can choose.
struct SamplePosition {
    double latitude = 45.4642; // degrees, north positive
    double longitude = 9.1900; // degrees, east positive
    int speedKnots = 0;        // 0 to 799
    int courseDegrees = 0;     // 0 (unknown) to 360
};

// "LAT,LON" in decimal degrees ("45.4642,9.1900", "-33.9, -70.6"), or why it is
// not a position a Mic-E report can carry (latitude -90 to 90, longitude above
// -180 and below 180, within the report's hundredths of a minute).
Result<SamplePosition, std::string> ParseSamplePosition(std::string_view text);

// The six characters of a Mic-E destination address (APRS 1.0.1, chapter 10):
// the latitude's digits ddmmhh, the standard message's bits A, B, C in the first
// three, north or south in the fourth, the longitude's offset of 100 degrees in
// the fifth, west or east in the sixth. `message` is the Mic-E list's index:
// 0 Off Duty (bits 111) to 7 Emergency (bits 000).
std::string MicEDestination(const SamplePosition& position, int message);

// The information field of a Mic-E report with current GPS data: "`", the
// longitude's degrees, minutes and hundredths, the speed and course, the symbol
// code and its table; no text after them.
std::string MicEInformation(const SamplePosition& position, char symbol, char table);

} // namespace korvel
