#pragma once

#include <cstdint>
#include <span>

namespace korvel {

// The checksum that closes each frame: (254 + the sum of the half's bytes)
// modulo 256. The tracker adds the bytes in a 16-bit register that starts at
// 254 and drops 256 whenever it passes 255; the result is the same.
std::uint8_t FrameChecksum(std::span<const std::uint8_t> half);

} // namespace korvel
