#include "image/PutText.h"

namespace korvel {

Result<void, std::string> PutText(ConfigImage& image, std::size_t& position,
                                  std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (auto put = PutByte(image, position + i, static_cast<std::uint8_t>(text[i])); !put) {
            return put;
        }
    }
    position += text.size();
    return PutByte(image, position, 0);
}

} // namespace korvel
