#pragma once

#include "image/ConfigImage.h"
#include "settings/Result.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvel {

// Writes `byte` at `offset`, or fails without writing when the offset lies
// outside the image. Like every encoder it fails with a reason alone ("runs
// past offset 113"): the caller knows which field it was encoding and names it.
Result<void, std::string> PutByte(ConfigImage& image, std::size_t offset, std::uint8_t byte);

} // namespace korvel
