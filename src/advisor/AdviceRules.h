#pragma once

#include "advisor/Finding.h"
#include "settings/DeviceSettings.h"

namespace korvel::advice {

// The rules of the advisor, one group a file. Each appends what it finds.
void Callsigns(const DeviceSettings& settings, Findings& out);
void Path(const DeviceSettings& settings, Findings& out);
void Alarms(const DeviceSettings& settings, Findings& out);
void Texts(const DeviceSettings& settings, Findings& out);
void Timing(const DeviceSettings& settings, Findings& out);
void Symbol(const DeviceSettings& settings, Findings& out);

// A finding for `field`, with the field's caption.
Finding Make(Field field, Severity severity, std::string message);

} // namespace korvel::advice
