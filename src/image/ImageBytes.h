#pragma once

#include "image/ConfigImage.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace korvel {

// Why an encoder stopped, or nothing when it wrote everything. The caller knows
// which field it was encoding and names it.
using EncodeFailure = std::optional<std::string>;

// Writes `byte` at `offset`, or fails without writing when the offset lies
// outside the image.
EncodeFailure PutByte(ConfigImage& image, std::size_t offset, std::uint8_t byte);

} // namespace korvel
