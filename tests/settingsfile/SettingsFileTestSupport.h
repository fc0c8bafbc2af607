#pragma once

#include "DefaultsFile.h"
#include "settings/SetDefaults.h"
#include "settings/SettingsRecord.h"

#include <string>

namespace korvel::test {

inline SettingsRecord Defaults() {
    SettingsRecord record;
    SetDefaults(record);
    return record;
}

// Every field of `a` and `b` holds the same text or value.
inline bool SameSettings(const DeviceSettings& a, const DeviceSettings& b) {
    for (const FieldTraits& traits : AllFields()) {
        const bool same = traits.isText() ? a.text(traits.field) == b.text(traits.field)
                                          : a.value(traits.field) == b.value(traits.field);
        if (!same) {
            return false;
        }
    }
    return true;
}

} // namespace korvel::test
