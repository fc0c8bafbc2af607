#include "advisor/AdviceRules.h"
#include "settings/FieldRule.h"

#include <cctype>

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

bool Digits(std::string_view text, std::size_t at, std::size_t count) {
    for (std::size_t i = at; i < at + count; ++i) {
        if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) {
            return false;
        }
    }
    return true;
}

// ddmm.hhN (8 characters) or dddmm.hhE (9), as APRS writes a position.
bool HoldsCoordinate(std::string_view text, std::size_t degreeDigits,
                     std::string_view hemispheres) {
    const std::size_t length = degreeDigits + 2 + 1 + 2 + 1;
    for (std::size_t at = 0; at + length <= text.size(); ++at) {
        const std::size_t dot = at + degreeDigits + 2;
        if (Digits(text, at, degreeDigits + 2) && text[dot] == '.' && Digits(text, dot + 1, 2) &&
            hemispheres.find(text[dot + 3]) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

// In GPSless mode the status text is the only position the tracker sends.
void GpslessPosition(const DeviceSettings& settings, Findings& out) {
    if (NumericValue(settings.text(Field::edGpsAcqTime)) != 0) {
        return;
    }
    const std::string status = settings.text(Field::edBeacon);
    if (HoldsCoordinate(status, 2, "NS") && HoldsCoordinate(status, 3, "EW")) {
        return;
    }
    out.push_back(Make(Field::edBeacon, Severity::Note,
                       "In GPSless mode the status text carries the position, and it holds none: "
                       "write latitude ddmm.hhN and longitude dddmm.hhE into it."));
}

} // namespace

void Texts(const DeviceSettings& settings, Findings& out) {
    Breakers(settings, Field::edBeacon, kStatusBreakers, out);
    Breakers(settings, Field::edAprsMsg, kMessageBreakers, out);
    GpslessPosition(settings, out);
}

} // namespace korvel::advice
