#pragma once

#include <cstdint>

namespace korvel {

// The largest file the program reads whole into memory. A settings file holds a
// few hundred bytes and the instructions some kilobytes, so anything larger is
// not one of them and is refused before it is read.
inline constexpr std::uintmax_t kLargestFileRead = 64U * 1024U * 1024U;

} // namespace korvel
