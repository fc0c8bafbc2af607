#pragma once

#include "image/PutCallsign.h"

#include <optional>
#include <string_view>

namespace korvel {

// The digipeater path split at its first "," after the first character: the
// first address, and everything after that "," as the second one (so "A,B,C"
// has the second address "B,C"). A path without such a "," is one address.
struct AprsPathParts {
    std::string_view first;
    std::optional<std::string_view> second;
};

AprsPathParts SplitAprsPath(std::string_view path);

// Whether the path holds no address: it is empty or holds only spaces.
bool AprsPathIsEmpty(std::string_view path);

// Writes the path's address entries at 30 and 37, the last one followed by the
// 0 that ends the address list, and gives back the joined normalised text
// ("first,second"). An empty path writes nothing: the 0 after the source entry
// ends the list.
//
// The path is trimmed of spaces before it is split, so that a path of spaces is
// no path and a blank first address cannot be sent while the field, written
// back, shows none.
EncodedCallsign PutAprsPath(ConfigImage& image, std::string_view path);

} // namespace korvel
