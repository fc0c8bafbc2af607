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

std::string ControlByteName(char c) {
    switch (c) {
    case '\t':
        return "TAB";
    case '\n':
        return "LF";
    case '\r':
        return "CR";
    case '\x1B':
        return "ESC";
    case '\x7F':
        return "DEL";
    default:
        break;
    }
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    const auto code = static_cast<unsigned char>(c);
    return std::string("byte 0x") + kHex[code / 16] + kHex[code % 16];
}

// Control bytes come in through a loaded file or --set (a 0 is refused there):
// a CR or LF ends the packet at a gate, the others show as garbage or are
// dropped.
void ControlBytes(const DeviceSettings& settings, Field field, Findings& out) {
    if (const auto c = ControlByte(settings.text(field))) {
        out.push_back(Make(field, Severity::Warning,
                           "It holds the control byte " + ControlByteName(*c) +
                               ", which the tracker sends as it is: a CR or LF ends the packet at "
                               "a gate, others reach stations as garbage: remove it."));
    }
}

// "ack" or "rej" and up to five more characters is what stations send to
// acknowledge or reject a message (APRS 1.01, chapter 14): such a text is read
// as one, not as a message.
void AckOrReject(const DeviceSettings& settings, Findings& out) {
    const std::string text = settings.text(Field::edAprsMsg);
    if (text.size() > 8 || !(text.starts_with("ack") || text.starts_with("rej"))) {
        return;
    }
    const bool ack = text.starts_with("ack");
    out.push_back(Make(Field::edAprsMsg, Severity::Warning,
                       "Stations read the text " + text + " as " +
                           (ack ? "an acknowledgement" : "a reject") +
                           " of one of their messages, not as a message: write it otherwise."));
}

} // namespace

void Texts(const DeviceSettings& settings, Findings& out) {
    Breakers(settings, Field::edBeacon, kStatusBreakers, out);
    Breakers(settings, Field::edAprsMsg, kMessageBreakers, out);
    GpslessPosition(settings, out);
    AckOrReject(settings, out);
    for (Field field : {Field::edMyCall, Field::edReceiver, Field::edDestCall, Field::edAprsPath,
                        Field::edBeacon, Field::edAprsMsg}) {
        ControlBytes(settings, field, out);
    }
}

} // namespace korvel::advice
