#pragma once

#include "settings/DeviceSettings.h"

#include <array>
#include <string>
#include <string_view>

namespace korvel {

// A line on what a field's value means on the air, for its tooltip: the symbol
// ICON Symbol and Alternate Table name, the hops of APRS PATH, the beacons an
// hour of an interval, the position the STATUS text gives in GPSless mode.
// Empty for the other fields.
std::string FieldInfo(const DeviceSettings& settings, Field field);

// The conventional meanings of the SSIDs 0 to 15 (APRS SSID recommendations, 2012).
inline constexpr std::array<std::string_view, 16> kSsidMeanings = {
    "home station, fixed",
    "generic additional station, digi, mobile, wx",
    "second station",
    "third station",
    "fourth station",
    "other networks (D-Star, phones)",
    "special activity, satellite ops, camping",
    "walkie-talkies, handhelds",
    "boats, sailboats, RVs, second main mobile",
    "primary mobile (usually message capable)",
    "internet, EchoLink, IRLP",
    "balloons, aircraft, spacecraft",
    "APRStt, DTMF, one-way trackers",
    "weather stations",
    "truckers, full-time drivers",
    "generic",
};

// `callsign` with its SSID suffix replaced by -ssid, or dropped for 0
// ("IK0ABC-7" with 9 gives "IK0ABC-9"); the part before the "-" stays as typed.
std::string WithSsid(std::string_view callsign, int ssid);

// The paths of the New-N paradigm (2004-2005), with when each fits.
struct PathPreset {
    std::string_view path;
    std::string_view fits;
};
inline constexpr std::array<PathPreset, 5> kPathPresets = {{
    {"WIDE1-1,WIDE2-1", "mobile or portable in towns and busy areas"},
    {"WIDE1-1,WIDE2-2", "mobile or portable in open country"},
    {"WIDE2-1", "fixed station in a busy area"},
    {"WIDE2-2", "fixed station"},
    {"", "no path: balloons, aircraft, or direct contacts only"},
}};

// Speed-table presets, slowest band first, every interval at least a minute and
// shorter as the speed grows, so the beacons come about evenly along the way.
struct TimingPreset {
    std::string_view name;
    std::array<std::string_view, 7> bands; // the texts of esSpeedTable(0) to (6)
};
inline constexpr std::array<TimingPreset, 3> kTimingPresets = {{
    {"Walking", {"0900", "0300", "240", "180", "180", "180", "180"}},
    {"Bicycle", {"0900", "0480", "180", "120", "120", "120", "120"}},
    {"Car", {"0600", "0480", "240", "180", "120", "090", "060"}},
}};

} // namespace korvel
