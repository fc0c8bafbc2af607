#pragma once

#include "settings/FieldError.h"
#include "settings/Result.h"

#include <string>
#include <string_view>

namespace korvel {

// Read and write access to the tracker's settings, field by field. SetDefaults,
// BuildImage and the settings-file commands work only through this interface.
// Two homes implement it: the main window's controls and SettingsRecord.
//
// Texts are bytes in the tracker's code page (CodePage.h). Every write goes
// through the field's rules (FieldRule.h): a refused value leaves the field as
// it was and comes back as the failure.
class DeviceSettings {
public:
    virtual ~DeviceSettings() = default;

    // The text of a text field, with "_" in the empty positions of a masked one.
    virtual std::string text(Field field) const = 0;
    virtual Result<void, FieldError> setText(Field field, std::string_view text) = 0;

    // A check box's state (0, 1, 2) or the Mic-E list's index (-1 to 7).
    virtual int value(Field field) const = 0;
    virtual Result<void, FieldError> setValue(Field field, int value) = 0;
};

} // namespace korvel
