#pragma once

#include "cli/SettingsOptions.h"
#include "image/ConfigImage.h"
#include "settings/DeviceSettings.h"

#include <functional>
#include <optional>
#include <string>

namespace korvel::cli {

struct RosterOptions {
    std::string path;                  // the roster, a CSV file with a header row
    std::optional<std::string> record; // the record file, for --resume
    bool resume = false;               // skip the rows the record shows as sent
    bool yes = false;                  // send without waiting for Enter
};

// Sends one tracker's image and records it; returns send's exit code.
using SendOne = std::function<int(const ConfigImage&, const DeviceSettings&)>;

// Sends the base settings with each row of the roster set over them, one
// tracker after another. The whole roster is checked first (columns, values,
// callsigns used twice), so that a bad row stops it before anything is sent;
// a failed send stops it where it is. Returns the exit code.
int SendRoster(const SettingsOptions& base, const RosterOptions& options, const SendOne& sendOne);

} // namespace korvel::cli
