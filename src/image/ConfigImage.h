#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace korvel {

inline constexpr std::size_t kImageSize = 114;

// The fixed 114-byte configuration block that the tracker receives, offsets 0 to 113.
using ConfigImage = std::array<std::uint8_t, kImageSize>;

} // namespace korvel
