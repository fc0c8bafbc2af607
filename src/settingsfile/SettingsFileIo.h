#pragma once

#include "settings/DeviceSettings.h"

#include <QString>
#include <optional>

namespace korvel {

// The Save and Load commands' file work, for the window and the command line.
// Each returns nothing on success, or a message for the user that names the
// file and the cause.

// Writes the settings file of `settings` to `path`, used exactly as given (no
// extension added). The file is written next to the target and replaces it
// only once complete, so on any failure (settings that cannot be written,
// missing folder, no permission, full disk) an existing file stays whole.
// The one exception is a writable file in a folder that takes no new files (a
// file in a shared folder): it is written in place, which a full disk can cut
// short, since it could not be saved at all otherwise.
std::optional<QString> SaveSettingsFile(const DeviceSettings& settings, const QString& path);

// Reads the settings file at `path` and applies it to `settings` group by
// group (ApplySettingsFile): after a failure the groups before it stay applied.
// Only a regular file of at most 64 MB is opened; a pipe, a device or a larger
// file is refused before anything is read.
std::optional<QString> LoadSettingsFile(DeviceSettings& settings, const QString& path);

} // namespace korvel
