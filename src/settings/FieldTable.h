#pragma once

#include "settings/FieldTraits.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korvel {

// The one table of the tracker's settings. The window, the settings file, the
// command line and the tests all read their facts about a field from here.
std::span<const FieldTraits> AllFields();

const FieldTraits& TraitsOf(Field field);

// The caption of the field for a message: the window's caption without the
// colon that ends some of them ("Comm num:" gives "Comm num"), after the
// caption of its frame where it needs one ("Manual Timing Every").
std::string CaptionOf(Field field);

// The field whose control name is `name` ("edMyCall", "esSpeedTable(3)").
std::optional<Field> FindField(std::string_view name);

// The entries of the Mic-E list cbMicEMsg, in the order of the APRS Mic-E messages.
inline constexpr std::array<std::string_view, 8> kMicEEntries = {
    "Off Duty",  "En Route", "In Service", "Returning",
    "Committed", "Special",  "Priority",   "Emergency",
};

} // namespace korvel
