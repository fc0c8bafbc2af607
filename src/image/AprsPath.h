#pragma once

#include "image/PutCallsign.h"

#include <optional>
#include <string_view>

namespace korvel {

// The digipeater path split at its commas: the first address before the first
// ",", the second one between it and the next "," (the tracker holds two, so
// "A,B,C" has the second address "B" and C is not sent). A comma is always a
// separator and never part of an address: ",A" is a blank first address and
// A. A path without a "," is one address.
struct AprsPathParts {
    std::string_view first;
    std::optional<std::string_view> second;
};

AprsPathParts SplitAprsPath(std::string_view path);

// Whether the path holds no address: it is empty or holds only spaces.
bool AprsPathIsEmpty(std::string_view path);

// Writes the path's address entries at the path's place in the image (30 and 37), the last one
// followed by the 0 that ends the address list, and gives back the joined normalised text
// ("first,second"), or why it could not write them (PutCallsign). An empty path
// writes nothing: the 0 after the source entry ends the list.
//
// The path is trimmed of spaces before it is split, so that a path of spaces is
// no path. The joined text holds exactly the addresses written, so the field
// written back shows what was sent.
Result<std::string, std::string> PutAprsPath(ConfigImage& image, std::string_view path);

} // namespace korvel
