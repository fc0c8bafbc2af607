#include "advisor/AdviceRules.h"
#include "advisor/Advisor.h"
#include "advisor/SentAddress.h"
#include "image/PutCallsign.h"

namespace korvel::advice {
namespace {

// An address the tracker will send otherwise than typed (cut to six
// characters, its SSID dropped) or that cannot be a callsign at all.
void AddressShape(const DeviceSettings& settings, Field field, Findings& out) {
    const std::string text = settings.text(field);
    const std::string_view typed = TrimSpaces(text);
    if (typed.empty()) {
        return; // a blank callsign is for the build to refuse
    }
    if (const auto problem = AddressProblem(typed)) {
        out.push_back(Make(field, Severity::Warning,
                           "The tracker will send " + SentAddressOf(typed).onAir() + " (" +
                               *problem + "): enter the address as it should go on the air."));
    }
}

// NOCALL and N0CALL are placeholders: a station sending them does not
// identify itself, and gateways drop its packets (APRS 1.01, chapter 4).
void Placeholders(const DeviceSettings& settings, Findings& out) {
    const std::string myCall = settings.text(Field::edMyCall);
    if (IsPlaceholderCallsign(myCall)) {
        out.push_back(Make(Field::edMyCall, Severity::Warning,
                           "The tracker will transmit as " + SentAddressOf(myCall).onAir() +
                               ", a placeholder that identifies no station and that gateways "
                               "drop: enter your own callsign."));
    }
    const std::string toCall = settings.text(Field::edDestCall);
    if (IsPlaceholderCallsign(toCall)) {
        out.push_back(Make(Field::edDestCall, Severity::Warning,
                           "Messages will be addressed to " + SentAddressOf(toCall).onAir() +
                               ", a placeholder no station answers to: enter the callsign of "
                               "the station that should receive them."));
    }
}

// The SSID of the destination address asks digipeaters for a generic path of
// its own, on top of the one given (APRS 1.01, chapter 4): -1 to -7 stand for
// WIDE1-1 to WIDE7-7, -8 to -15 for directional paths.
void UnprotocolSsid(const DeviceSettings& settings, Findings& out) {
    const SentAddress sent = SentAddressOf(settings.text(Field::edReceiver));
    if (sent.ssid == 0) {
        return;
    }
    const std::string n = std::to_string(sent.ssid);
    const std::string generic =
        sent.ssid <= 7 ? "the generic path WIDE" + n + "-" + n : "a generic directional path";
    out.push_back(Make(Field::edReceiver, Severity::Warning,
                       "The SSID -" + n + " asks digipeaters for " + generic +
                           " on top of APRS PATH, so each packet travels further than meant: "
                           "use " +
                           sent.callsign + " without an SSID."));
}

} // namespace

void Callsigns(const DeviceSettings& settings, Findings& out) {
    Placeholders(settings, out);
    for (Field field : {Field::edMyCall, Field::edReceiver, Field::edDestCall}) {
        AddressShape(settings, field, out);
    }
    UnprotocolSsid(settings, out);
}

} // namespace korvel::advice
