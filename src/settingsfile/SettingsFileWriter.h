#pragma once

#include "settings/DeviceSettings.h"
#include "settings/Result.h"

#include <string>

namespace korvel {

// The bytes of the settings file that holds `settings`: nine lines, each ending
// with CR LF; texts between double quotes, exactly as the fields hold them
// except that a double quote in a text is written twice; numbers in plain
// decimal.
//
// Every value is gathered before any byte is produced, so on failure `bytes` is
// left alone and no partial file can come of it. It fails when the edBcnEvery
// text is not a number (an empty field included).
//
// The status-text interval is written limited to 127, the most its seven bits
// in the file can hold; a larger one would spill into the bit of chkRxPosition
// and come back as a different interval with that box ticked.
Result<void, FieldError> WriteSettingsFile(const DeviceSettings& settings, std::string& bytes);

} // namespace korvel
