#include "image/PutText.h"

namespace korvel {

EncodeFailure PutText(ConfigImage& image, std::size_t& position, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (auto failure = PutByte(image, position + i, static_cast<std::uint8_t>(text[i]))) {
            return failure;
        }
    }
    position += text.size();
    return PutByte(image, position, 0);
}

} // namespace korvel
