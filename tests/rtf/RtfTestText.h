#pragma once

#include "rtf/Document.h"

#include <string>

namespace korvel::rtf::test {

// The document's text in one line: "¶" ends a paragraph, a list marker is
// followed by "»", a table is "[" rows "]" with "|" after each cell and "/"
// after each row, and a picture is "<pic>".
inline std::string Flatten(const Document& document) {
    const auto paragraphText = [](const Paragraph& paragraph) {
        std::string text = paragraph.listMarker.empty() ? "" : paragraph.listMarker + "»";
        for (const Run& run : paragraph.runs) {
            text += run.picture >= 0 ? "<pic>" : run.text;
        }
        return text;
    };
    std::string out;
    for (const Block& block : document.blocks) {
        if (const auto* paragraph = std::get_if<Paragraph>(&block)) {
            out += paragraphText(*paragraph) + "¶";
            continue;
        }
        out += "[";
        for (const Row& row : std::get<Table>(block).rows) {
            for (const Cell& cell : row.cells) {
                for (std::size_t i = 0; i < cell.paragraphs.size(); ++i) {
                    out += (i > 0 ? "¶" : "") + paragraphText(cell.paragraphs[i]);
                }
                out += "|";
            }
            out += "/";
        }
        out += "]";
    }
    return out;
}

// The first paragraph of the document, or an empty one.
inline Paragraph FirstParagraph(const Document& document) {
    for (const Block& block : document.blocks) {
        if (const auto* paragraph = std::get_if<Paragraph>(&block)) {
            return *paragraph;
        }
    }
    return {};
}

} // namespace korvel::rtf::test
