#pragma once

#include "rtf/Document.h"

class QTextDocument;

namespace korvel {

// Replaces the whole content of `target` with `document`: paragraphs with
// their character and paragraph formats, list markers with hanging indents,
// tables, links and PNG or JPEG pictures.
void FillTextDocument(QTextDocument& target, const rtf::Document& document);

} // namespace korvel
