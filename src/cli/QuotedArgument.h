#pragma once

#include <string>
#include <string_view>

namespace korvel::cli {

// A UTF-8 argument between single quotes for a message, cut after 40 bytes
// ("...'") without splitting a character, so that a long one cannot flood it;
// its control bytes escaped (EscapeControlBytes).
std::string QuotedArgument(std::string_view utf8);

} // namespace korvel::cli
