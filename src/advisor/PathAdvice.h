#pragma once

#include <string_view>

namespace korvel {

// How many digipeater hops the path asks for: N for each WIDEn-N, 1 for any
// other address. 0 for no path.
int PathHops(std::string_view path);

} // namespace korvel
