#include "transfer/Frames.h"

#include "transfer/Checksum.h"

#include <algorithm>
#include <span>

namespace korvel {
namespace {

Frame FrameOf(std::span<const std::uint8_t, kHalfSize> half) {
    Frame frame{};
    std::ranges::copy(half, frame.begin());
    frame[kHalfSize] = FrameChecksum(half);
    return frame;
}

} // namespace

TransferFrames BuildFrames(const ConfigImage& image) {
    const std::span<const std::uint8_t, kImageSize> bytes(image);
    return {FrameOf(bytes.first<kHalfSize>()), FrameOf(bytes.last<kHalfSize>())};
}

} // namespace korvel
