#pragma once

#include "advisor/Finding.h"
#include "settings/DeviceSettings.h"

namespace korvel {

// Reads the settings and says where what the tracker will transmit is probably
// not what the operator means (a placeholder callsign, a path that floods the
// channel, an alarm, a character that breaks packets, a beacon every few
// seconds...). It only advises: it changes no setting and refuses none, since
// BuildImage is the one check that stops a Send. The findings come in the
// order of the field table.
Findings Advise(const DeviceSettings& settings);

// The findings of Advise, and first of all what SEND would refuse: a finding of
// severity Error with the caption and the reason BuildImage gives. The build
// runs on a copy, so the settings stay as they are.
Findings AdviseBeforeSend(const DeviceSettings& settings);

// Whether MY CALLSIGN holds a placeholder (NOCALL, N0CALL): the tracker would
// transmit without the operator's callsign.
bool IsPlaceholderCallsign(std::string_view text);

// Whether the findings hold a warning (or an error, which is worse).
bool HasWarning(const Findings& findings);

// Whether the findings hold an error: SEND would refuse the settings.
bool HasError(const Findings& findings);

} // namespace korvel
