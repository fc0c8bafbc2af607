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

// Every field, in the order SetDefaults writes the factory defaults (the
// column defaultsStep of the table).
std::span<const Field> DefaultsOrder();

// The fields whose values the settings file holds, in the file's order (by
// line, then place on the line: the column `file` of the table).
std::span<const Field> SavedFields();

// The fields that the configuration image holds, in the order of their places
// (by offset, then bit): the order BuildImage writes them in.
std::span<const Field> ImageOrder();

// The caption of the field for a message: the window's caption without the
// colon that ends some of them ("Comm num:" gives "Comm num"), after the
// caption of its frame where it needs one ("Manual Timing Every").
std::string CaptionOf(Field field);

// The name a screen reader gives the field's control: the caption as the window
// shows it, with its frame ("Manual Timing: Every") and the second line of its
// caption ("STATUS text / GPSless bcn"); no colon at the end ("Comm num").
std::string AccessibleNameOf(Field field);

// What a screen reader says after the name: the unit and the range of a number
// that SEND takes ("milliseconds, 0 to 996"), the length of a text ("up to 26 characters"),
// then the field's hint; "ticked or clear" for a check box, the entries of a list.
std::string DescriptionOf(Field field);

// The field whose control name is `name` ("edMyCall", "esSpeedTable(3)").
std::optional<Field> FindField(std::string_view name);

// The entries of the Mic-E list cbMicEMsg, in the order of the APRS Mic-E messages.
inline constexpr std::array<std::string_view, 8> kMicEEntries = {
    "Off Duty",  "En Route", "In Service", "Returning",
    "Committed", "Special",  "Priority",   "Emergency",
};

} // namespace korvel
