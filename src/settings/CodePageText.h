#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace korvel {

// The window's edge to the tracker's code page: the core keeps texts as
// code-page bytes, Qt as Unicode.
QString FromCodePage(std::string_view bytes);

// The code-page bytes of `text`, or nothing when a character has no byte.
std::optional<std::string> ToCodePage(const QString& text);

} // namespace korvel
