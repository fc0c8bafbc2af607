#pragma once

#include "image/ConfigImage.h"
#include "settings/Result.h"

#include <string>
#include <string_view>

namespace korvel::cli {

// The image in what decode reads: the 114 bytes, or the 120 that went on the
// line (start marker, frame A with its checksum, start marker, frame B with
// its checksum); each either as hex (spaces and line ends between the digits
// are ignored, as image prints it) or as the bytes themselves. The message
// names the byte that is wrong.
Result<ConfigImage, std::string> ImageFromInput(std::string_view input);

} // namespace korvel::cli
