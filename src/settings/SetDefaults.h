#pragma once

#include "settings/DeviceSettings.h"

namespace korvel {

// Puts the factory default of the field table into every field, in the order
// of the table's defaults steps, the one the tracker's configuration program
// has always used (port number first, auto-reply last). Validates nothing: the
// defaults always fit their fields.
void SetDefaults(DeviceSettings& settings);

} // namespace korvel
