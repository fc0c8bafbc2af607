#pragma once

#include "image/ImageBytes.h"

#include <string_view>

namespace korvel {

// Writes a text field: its bytes from `position` on, then a 0 right after them,
// and leaves `position` on that 0. An empty text writes only the 0. Stops at the
// end of the image; the bytes written before that stay.
Result<void, std::string> PutText(ConfigImage& image, std::size_t& position, std::string_view text);

} // namespace korvel
