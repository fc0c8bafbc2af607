#pragma once

#include <string_view>

namespace korvel {

// How many digipeater hops the path asks for, as the tracker sends it: N for
// each New-N alias (WIDEn-N, or a state or section route such as CA2-2), 1 for
// a digipeater's callsign. Counting stops at the first address no digipeater
// answers (WIDE2 without -N, an obsolete alias, RFONLY or NOGATE, an internet
// marker such as TCPIP), since digipeaters work through the path in order.
// 0 for no path.
int PathHops(std::string_view path);

} // namespace korvel
