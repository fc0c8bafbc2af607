#pragma once

#include <string_view>

namespace korvel {

enum class LeadingSign { NotTaken, Taken };

// The whole number that `text` starts with: its leading decimal digits, after
// one "+" or "-" when `sign` is LeadingSign::Taken; 0 when no digit follows
// ("12_" gives 12, "x1" gives 0). Saturates at 1,000,000,000 in magnitude, far
// beyond any field, so that an absurd number still reads as too large.
long LeadingWholeNumber(std::string_view text, LeadingSign sign);

} // namespace korvel
