#include "advisor/AdviceRules.h"
#include "advisor/AprsPosition.h"
#include "settings/FieldRule.h"

namespace korvel::advice {
namespace {

// Characters that other stations read as something else (APRS 1.01, chapters
// 14 and 16): "|" and "~" in a status or message, "{" that starts a message
// number in a message.
constexpr std::string_view kStatusBreakers = "|~";
constexpr std::string_view kMessageBreakers = "|~{";

void Breakers(const DeviceSettings& settings, Field field, std::string_view breakers,
              Findings& out) {
    const std::string text = settings.text(field);
    const std::size_t at = text.find_first_of(breakers);
    if (at == std::string::npos) {
        return;
    }
    const std::string which = std::string("'") + text[at] + "'";
    const std::string effect = text[at] == '{'
                                   ? " starts a message number, so stations show the text cut there"
                                   : " breaks the packet for the stations that receive it";
    std::string leaveOut;
    for (char c : breakers) {
        leaveOut += (leaveOut.empty() ? "'" : ", '") + std::string(1, c) + "'";
    }
    out.push_back(
        Make(field, Severity::Warning, "A " + which + effect + ": leave out " + leaveOut + "."));
}

// In GPSless mode the tracker sends the status text as its position report:
// a position that maps cannot place leaves the station off the map.
void GpslessPosition(const DeviceSettings& settings, Findings& out) {
    if (NumericValue(settings.text(Field::edGpsAcqTime)) != 0) {
        return;
    }
    const auto position = FindStatusPosition(settings.text(Field::edBeacon));
    if (position) {
        return;
    }
    out.push_back(Make(Field::edBeacon, Severity::Warning,
                       "In GPSless mode the tracker sends this text as its position, and " +
                           position.error() +
                           ": start the text with latitude, symbol table, longitude and symbol, "
                           "as in 4903.50N/07201.75W-."));
}

} // namespace

void Texts(const DeviceSettings& settings, Findings& out) {
    Breakers(settings, Field::edBeacon, kStatusBreakers, out);
    Breakers(settings, Field::edAprsMsg, kMessageBreakers, out);
    GpslessPosition(settings, out);
}

} // namespace korvel::advice
