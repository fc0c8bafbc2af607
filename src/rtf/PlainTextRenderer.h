#pragma once

#include "rtf/Document.h"

#include <string>

namespace korvel::rtf {

// Lays the document out as plain UTF-8 text for a terminal `width` columns
// wide: headings underlined, paragraphs wrapped and indented, list items with
// their markers and hanging indents, tables drawn with ASCII rules, pictures
// and link addresses named in brackets.
std::string RenderPlainText(const Document& document, int width = 80);

} // namespace korvel::rtf
