#pragma once

#include "rtf/Document.h"

#include <QColor>

class QTextDocument;

namespace korvel {

// The colours of the page the document is shown on: its background, and the
// colours of plain text and of links there.
struct PageColours {
    QColor background{Qt::white};
    QColor text{Qt::black};
    QColor link{0, 0, 238};
};

// Replaces the whole content of `target` with `document`: paragraphs with
// their character and paragraph formats, list markers with hanging indents,
// tables, links and PNG or JPEG pictures. Every text stays readable on what it
// is drawn on (the page, a shaded cell, a highlight): a colour of the document
// that cannot be read there gives way to the page's text or link colour, or
// to black or white.
void FillTextDocument(QTextDocument& target, const rtf::Document& document,
                      const PageColours& page = {});

} // namespace korvel
