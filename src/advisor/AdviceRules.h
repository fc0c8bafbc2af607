#pragma once

#include "advisor/Finding.h"
#include "advisor/SentAddress.h"
#include "settings/DeviceSettings.h"

#include <optional>
#include <string>
#include <string_view>

namespace korvel::advice {

// The rules of the advisor, one group a file. Each appends what it finds.
void Callsigns(const DeviceSettings& settings, Findings& out);
void Path(const DeviceSettings& settings, Findings& out);
void Alarms(const DeviceSettings& settings, Findings& out);
void Texts(const DeviceSettings& settings, Findings& out);
void Timing(const DeviceSettings& settings, Findings& out);
void Symbol(const DeviceSettings& settings, Findings& out);

// The address as a message names it: "IK0ABC-9", or "a blank address" when
// nothing of it goes out, so that no message reads with a hole in it.
std::string Named(const SentAddress& address);

// The first control byte of `text` (below 32, or 127), if any.
std::optional<char> ControlByte(std::string_view text);

// Whether `callsign` (as sent) is an addressee that makes clients raise an alarm.
bool IsAlarmAddressee(std::string_view callsign);

// Whether a typed addressee is an alarm addressee that the tracker sends cut
// to six characters ("EMERGENCY" goes out as "EMERGE").
bool IsCutAlarmAddressee(std::string_view typed);

// Whether the address is one that digipeaters or gates read as a path: a New-N
// alias, an obsolete alias, RFONLY or NOGATE, an internet marker.
bool IsPathAlias(const SentAddress& address);

// A finding for `field`, with the field's caption.
Finding Make(Field field, Severity severity, std::string message);

} // namespace korvel::advice
