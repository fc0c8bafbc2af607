#pragma once

#include "settings/DeviceSettings.h"
#include "settings/Result.h"

#include <string>
#include <string_view>

namespace korvel {

// Reads the 22 values of a settings file from `bytes` (SettingsFileReader) and
// puts them into `settings`, in the file order and the groups of the field
// table's file places (SettingsFileLayout.h): line 1 (6 values), the speed
// table (7 values), line 9 (9 values). A group is applied only once all its
// values are read, field by field in file order, each through the field's own
// rules.
//
// On failure it stops and says what and where; nothing is undone. A read that
// fails (the end of the file included) leaves the earlier groups applied and
// its own group untouched; a failure while applying a group leaves the values
// of that group before it applied. edGpsCheckTime is never touched, and
// whatever follows the 22nd value is never read.
//
// Numbers: the Mic-E index is the strict whole number of line 1 value 4 AND 15,
// and chkAutoReply its bit 4, except for -1 and 15, which Save writes for no
// entry selected with the box clear and checked; chkTable is the strict whole
// number of value 6 (both 16-bit). Line 9 value 2 is read leniently as n:
// edBcnEvery becomes n AND 127 as three digits, chkRxPosition bit 7 of n.
//
// A file whose texts hold double quotes that were not doubled (written before
// Save doubled them) is read with lone quotes when only that gives 22 values
// and the file shows the mark of such a text; a file that Save wrote and that
// was cut short fails at its end ("end of file before value N of 22").
//
// The message names settings by their captions in the window (code-page bytes
// where it quotes the file), for example:
//   "line 1, value 4 (Mic-E msg): 'x' is not a number"
//   "end of file before value 14 of 22 (Manual Timing Every)"
//   "Comm num: '12' does not fit the field"
Result<void, std::string> ApplySettingsFile(std::string_view bytes, DeviceSettings& settings);

} // namespace korvel
