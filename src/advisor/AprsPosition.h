#pragma once

#include "settings/Result.h"

#include <string>
#include <string_view>

namespace korvel {

// An uncompressed APRS position as it stands in a packet (APRS 1.01, chapter 8):
// latitude ddmm.hh N/S, symbol table character, longitude dddmm.hh E/W, symbol
// code, as in "4903.50N/07201.75W-".
struct AprsPosition {
    std::string latitude;  // 8 characters, as written ("4903.  N" when ambiguous)
    char table = '/';      // '/', '\' or an overlay character
    std::string longitude; // 9 characters, as written
    char symbol = '-';
    int ambiguity = 0; // digits the latitude leaves out from the right, 0 to 4
};

// The characters an uncompressed position takes.
inline constexpr std::size_t kAprsPositionLength = 19;

// The position that starts `text`, or what is wrong with it as a phrase that can
// follow a colon ("minutes 63 are out of range").
Result<AprsPosition, std::string> ParseAprsPosition(std::string_view text);

// The position a status text carries when the tracker sends it as its position
// report. The tracker sends the text as it is after the report's type
// character, so the position must be the first thing in it: text before it,
// a swapped order or a missing table character are named as such.
Result<AprsPosition, std::string> FindStatusPosition(std::string_view status);

// "49 deg 03.50 min N, 72 deg 01.75 min W"; an ambiguous position leaves out
// what it does not say.
std::string PositionInWords(const AprsPosition& position);

} // namespace korvel
