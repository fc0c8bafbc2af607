#pragma once

#include "settings/DeviceSettings.h"
#include "settings/FieldTraits.h"

#include <ostream>
#include <string>

namespace korvel::cli {

// A setting's text as fields prints it: a number, or a text (UTF-8) with its
// backslashes doubled and its control bytes escaped (\r, \n, \t, \xHH), so
// that every printed text stays on its line and reads back to one text only.
std::string FieldText(const DeviceSettings& settings, const FieldTraits& traits);

// Every setting as NAME=TEXT, one a line, in the order of the field table.
void PrintFields(std::ostream& out, const DeviceSettings& settings);

} // namespace korvel::cli
