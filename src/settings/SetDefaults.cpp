#include "settings/SetDefaults.h"

#include "settings/FieldTable.h"

#include <cassert>

namespace korvel {

void SetDefaults(DeviceSettings& settings) {
    for (Field field : DefaultsOrder()) {
        const FieldTraits& traits = TraitsOf(field);
        const auto set = traits.isText() ? settings.setText(field, traits.defaultText)
                                         : settings.setValue(field, traits.defaultValue);
        assert(set && "a factory default must fit its field");
        (void)set;
    }
}

} // namespace korvel
