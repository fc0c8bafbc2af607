#pragma once

#include "settings/SetDefaults.h"
#include "settings/SettingsRecord.h"

#include <string>

namespace korvel::test {

// The settings file that the factory defaults give, byte for byte.
inline const std::string kDefaultsFile =
    "\"1\",\"200\",\"006\",0,\">\",0\r\n"
    "\"0480\"\r\n"
    "\"0360\"\r\n"
    "\"250\"\r\n"
    "\"180\"\r\n"
    "\"130\"\r\n"
    "\"110\"\r\n"
    "\"090\"\r\n"
    "\"0120\",3,\"025\",\"QKORVL\",\"NOCALL-9\",\"WIDE1-1,WIDE2-2\","
    "\"Korvel v2.5 by QX7ZUL Tev\",\"NOCALL\",\"Message sent using Korvel ver 2.5!\"\r\n";

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
