#pragma once

#include "settings/FieldTraits.h"

#include <cstdint>

namespace korvel {

// Filters of typed characters, applied to code-page codes before the field
// takes them. Each takes the key code by reference: left alone the character
// goes through, another code replaces it, 0 drops the key.

// Callsign fields (edMyCall, edDestCall, edReceiver): Backspace, "-", digits and
// letters; lower-case letters become upper case; everything else is dropped.
void FilterCallsignKey(std::uint16_t& keyCode);

// edAprsPath: as a callsign, and the "," between the two digipeaters.
void FilterPathKey(std::uint16_t& keyCode);

// edBeacon: drops "'", "`" and every code from 123 up.
void FilterStatusTextKey(std::uint16_t& keyCode);

// edAprsMsg: drops "{", "|" and every code from 126 up.
void FilterMessageKey(std::uint16_t& keyCode);

// The filter of `filter` applied to `keyCode`; KeyFilter::None leaves it alone.
void ApplyKeyFilter(KeyFilter filter, std::uint16_t& keyCode);

} // namespace korvel
