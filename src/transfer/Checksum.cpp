#include "transfer/Checksum.h"

namespace korvel {

std::uint8_t FrameChecksum(std::span<const std::uint8_t> half) {
    std::uint16_t sum = 254;
    for (std::uint8_t byte : half) {
        sum += byte;
        if (sum > 255) {
            sum -= 256;
        }
    }
    return static_cast<std::uint8_t>(sum);
}

} // namespace korvel
