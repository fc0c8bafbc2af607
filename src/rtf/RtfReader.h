#pragma once

#include "rtf/Document.h"

#include <string_view>

namespace korvel::rtf {

// Groups nested deeper than this are read for their braces only; their content
// is dropped. Real documents stay far below it.
inline constexpr int kMaxGroupDepth = 256;

// Reads an RTF 1.x document. Any input gives a document, in time and memory
// linear in its size; input that does not start with "{\rtf" (after white
// space) gives an empty document with isRtf false.
Document ReadRtf(std::string_view input);

} // namespace korvel::rtf
