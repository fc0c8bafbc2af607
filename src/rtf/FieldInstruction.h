#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvel::rtf {

// The target of a HYPERLINK field instruction: the quoted or bare address, or
// "#name" for a \l bookmark. Nothing for any other field.
std::optional<std::string> HyperlinkTarget(std::string_view instruction);

} // namespace korvel::rtf
