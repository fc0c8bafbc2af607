#include "advisor/AdviceRules.h"
#include "advisor/SentAddress.h"
#include "image/PutCallsign.h"
#include "settings/FieldTable.h"

#include <algorithm>
#include <array>

namespace korvel::advice {
namespace {

// What makes every APRS client in range raise an alarm (APRS 1.01, chapters 10
// and 14): the Mic-E message Emergency, the word EMERGENCY in capitals in a
// beacon or status, and these message addressees.
constexpr std::string_view kAlarmWord = "EMERGENCY";
constexpr std::array<std::string_view, 6> kAlarmAddressees = {"EMERGENCY", "ALARM",   "ALERT",
                                                              "WARNING",   "WXALARM", "EM"};
constexpr std::string_view kMicEEmergency = "Emergency";

void MicE(const DeviceSettings& settings, Findings& out) {
    const int entry = settings.value(Field::cbMicEMsg);
    if (entry >= 0 && static_cast<std::size_t>(entry) < kMicEEntries.size() &&
        kMicEEntries[static_cast<std::size_t>(entry)] == kMicEEmergency) {
        out.push_back(Make(Field::cbMicEMsg, Severity::Warning,
                           "Every beacon will raise an emergency alarm in each APRS client in "
                           "range: select Emergency only in a real emergency."));
    }
}

void AlarmWord(const DeviceSettings& settings, Field field, Findings& out) {
    if (settings.text(field).find(kAlarmWord) != std::string::npos) {
        out.push_back(Make(field, Severity::Warning,
                           "The word EMERGENCY makes APRS clients in range raise an alarm: "
                           "leave it out unless this is a real emergency."));
    }
}

// The addressee as typed (before its "-") and as the tracker sends it, which
// can be cut ("EMERGENCY" goes out as "EMERGE").
void AlarmAddressee(const DeviceSettings& settings, Findings& out) {
    const std::string text = settings.text(Field::edDestCall);
    const std::string_view typed = TrimSpaces(text);
    const std::string_view typedCall = typed.substr(0, typed.find('-', 1));
    const SentAddress sent = SentAddressOf(text);
    if (IsAlarmAddressee(typedCall) && sent.callsign != typedCall) {
        const bool alarms = IsAlarmAddressee(sent.callsign);
        out.push_back(Make(Field::edDestCall, Severity::Warning,
                           "The tracker keeps six characters of an address, so messages to " +
                               std::string(typedCall) + " go out to " + Named(sent) +
                               (alarms ? ", which still makes every APRS client in range raise "
                                         "an alarm: address them to a station instead."
                                       : ", which raises no alarm and which no station answers "
                                         "to: address them to a station instead.")));
        return;
    }
    if (IsAlarmAddressee(typedCall) || IsAlarmAddressee(sent.callsign)) {
        out.push_back(Make(Field::edDestCall, Severity::Warning,
                           "Messages to " + std::string(typedCall) +
                               " make every APRS client in range raise an alarm: address them "
                               "to a station instead."));
    }
}

} // namespace

bool IsAlarmAddressee(std::string_view callsign) {
    return std::ranges::find(kAlarmAddressees, callsign) != kAlarmAddressees.end();
}

bool IsCutAlarmAddressee(std::string_view typed) {
    const std::string_view typedCall = typed.substr(0, typed.find('-', 1));
    return IsAlarmAddressee(typedCall) && SentAddressOf(typed).callsign != typedCall;
}

void Alarms(const DeviceSettings& settings, Findings& out) {
    MicE(settings, out);
    AlarmWord(settings, Field::edBeacon, out);
    AlarmWord(settings, Field::edAprsMsg, out);
    AlarmAddressee(settings, out);
}

} // namespace korvel::advice
