#include "image/ImageBytes.h"

namespace korvel {

Result<void, std::string> PutByte(ConfigImage& image, std::size_t offset, std::uint8_t byte) {
    if (offset >= image.size()) {
        return Failure{"runs past offset " + std::to_string(image.size() - 1)};
    }
    image[offset] = byte;
    return {};
}

} // namespace korvel
