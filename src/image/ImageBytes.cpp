#include "image/ImageBytes.h"

namespace korvel {

EncodeFailure PutByte(ConfigImage& image, std::size_t offset, std::uint8_t byte) {
    if (offset >= image.size()) {
        return "runs past offset " + std::to_string(image.size() - 1);
    }
    image[offset] = byte;
    return std::nullopt;
}

} // namespace korvel
