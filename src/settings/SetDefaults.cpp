#include "settings/SetDefaults.h"

#include "settings/FieldTable.h"

#include <cassert>

namespace korvel {

void SetDefaults(DeviceSettings& settings) {
    for (Field field : DefaultsOrder()) {
        const FieldTraits& traits = TraitsOf(field);
        const auto refused = traits.isText() ? settings.setText(field, traits.defaultText)
                                             : settings.setValue(field, traits.defaultValue);
        assert(!refused && "a factory default must fit its field");
        (void)refused;
    }
}

} // namespace korvel
