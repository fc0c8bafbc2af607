#include "advisor/AdviceRules.h"
#include "advisor/Advisor.h"
#include "advisor/SentAddress.h"
#include "image/PutCallsign.h"

#include <algorithm>
#include <optional>

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
    if (field == Field::edDestCall && IsCutAlarmAddressee(typed)) {
        return; // the alarm finding says what goes out instead
    }
    if (const auto problem = AddressProblem(typed)) {
        out.push_back(Make(field, Severity::Warning,
                           "The tracker will send " + Named(SentAddressOf(typed)) + " (" +
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

// An amateur callsign: a prefix of one to three characters ending in a digit,
// then one to four letters ("IK0ABC", "K1A", "9A2XY").
bool LooksLikeCallsign(std::string_view callsign) {
    const auto lastDigit = callsign.find_last_of("0123456789");
    if (lastDigit == std::string_view::npos || lastDigit == 0 || lastDigit > 3) {
        return false;
    }
    const std::string_view suffix = callsign.substr(lastDigit + 1);
    return !suffix.empty() && suffix.size() <= 4 &&
           std::ranges::all_of(suffix, [](char c) { return c >= 'A' && c <= 'Z'; });
}

// The destination address names the device or software that sends (APRS 1.01,
// chapter 4), by convention an identifier APxxxx. A path alias, a callsign or
// a placeholder there tells other stations nothing true about the sender.
std::optional<std::string> NotAnIdentifier(const SentAddress& sent) {
    if (IsPathAlias(sent)) {
        return " is a path alias";
    }
    if (IsPlaceholderCallsign(sent.callsign)) {
        return " is a placeholder";
    }
    if (!sent.callsign.starts_with("AP") && LooksLikeCallsign(sent.callsign)) {
        return " is a callsign";
    }
    return std::nullopt;
}

// The SSID of the destination address asks digipeaters for a generic path of
// its own, on top of the one given (APRS 1.01, chapter 4): -1 to -7 stand for
// WIDE1-1 to WIDE7-7, -8 to -15 for directional paths.
void UnprotocolCall(const DeviceSettings& settings, Findings& out) {
    const SentAddress sent = SentAddressOf(settings.text(Field::edReceiver));
    if (sent.callsign.empty()) {
        return; // the build refuses a blank one
    }
    if (const auto what = NotAnIdentifier(sent)) {
        out.push_back(Make(Field::edReceiver, Severity::Warning,
                           "The tracker sends " + sent.onAir() +
                               " as the packets' destination, "
                               "which names the sending device, and " +
                               sent.onAir() + *what +
                               ", not a device identifier: enter the tracker's identifier (APxxxx "
                               "by convention, APRS for any device) without an SSID."));
        return;
    }
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

// With auto-reply on, the tracker answers messages to MY CALLSIGN: a message
// addressed to itself comes back from the digipeaters and is answered again.
void MessageToItself(const DeviceSettings& settings, Findings& out) {
    if (settings.value(Field::chkAutoReply) != 1) {
        return;
    }
    const SentAddress to = SentAddressOf(settings.text(Field::edDestCall));
    const SentAddress me = SentAddressOf(settings.text(Field::edMyCall));
    if (to.callsign.empty() || to.callsign != me.callsign || to.ssid != me.ssid) {
        return;
    }
    out.push_back(Make(Field::edDestCall, Severity::Warning,
                       "Messages are addressed to MY CALLSIGN " + me.onAir() +
                           " and auto-reply is on, so the tracker answers its own message each "
                           "time it hears it back: address them to another station, or clear "
                           "auto-reply."));
}

} // namespace

void Callsigns(const DeviceSettings& settings, Findings& out) {
    Placeholders(settings, out);
    for (Field field : {Field::edMyCall, Field::edReceiver, Field::edDestCall}) {
        AddressShape(settings, field, out);
    }
    UnprotocolCall(settings, out);
    MessageToItself(settings, out);
}

} // namespace korvel::advice
