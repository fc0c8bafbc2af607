#pragma once

#include "image/ConfigImage.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace korvel {

// Two bytes of 0xFF go on the line before each frame.
inline constexpr std::array<std::uint8_t, 2> kStartMarker = {0xFF, 0xFF};

// Each frame carries one half of the image and that half's checksum.
inline constexpr std::size_t kHalfSize = kImageSize / 2;
inline constexpr std::size_t kFrameSize = kHalfSize + 1;
using Frame = std::array<std::uint8_t, kFrameSize>;

// Bytes on the line for one transfer: marker, frame A, marker, frame B.
inline constexpr std::size_t kTransferBytes = 2 * (kStartMarker.size() + kFrameSize);

struct TransferFrames {
    Frame a; // image bytes 0 to 56, then their checksum
    Frame b; // image bytes 57 to 113, then their checksum
};

// Cuts `image` into its two frames. A transfer calls this before it touches
// the port, so nothing done while it runs can change the bytes sent.
TransferFrames BuildFrames(const ConfigImage& image);

} // namespace korvel
