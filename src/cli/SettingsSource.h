#pragma once

#include "image/ConfigImage.h"
#include "settings/Result.h"
#include "settings/SettingsRecord.h"

#include <string>

namespace korvel::cli {

// The settings of a settings file (.cfg) or of the last whole record of a
// record file, and the image the SEND button would build from them.
struct LoadedSettings {
    SettingsRecord settings; // as read, before SEND's checks write back to them
    ConfigImage image{};
};

// Reads `path`, telling a record file by its first character ('{'); the
// message names the file.
Result<LoadedSettings, std::string> LoadSettingsSource(const std::string& path);

} // namespace korvel::cli
