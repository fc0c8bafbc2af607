#pragma once

#include "rtf/Document.h"

#include <string_view>
#include <vector>

namespace korvel::rtf {

// What a row definition (\trowd ... \cellx) says about one cell.
struct CellDefinition {
    int rightEdge = 0;
    int background = -1;
};

// Assembles the document as the reader meets its pieces: text and pictures go
// into the open paragraph; paragraph, cell and row ends close it into the body
// or into the open table row.
class DocumentBuilder {
public:
    explicit DocumentBuilder(Document& document) : document_(document) {}

    void addText(std::string_view utf8, const CharFormat& format);
    void addPicture(Picture picture, const CharFormat& format);
    void setListMarker(std::string marker);
    void addBookmark(std::string name);
    void breakPage();

    void endParagraph(const ParagraphFormat& format, bool inTable);
    void endCell(const ParagraphFormat& format);
    void endRow(const std::vector<CellDefinition>& definitions);
    void finish(const ParagraphFormat& format);

private:
    void closeTable();
    Paragraph takeParagraph(const ParagraphFormat& format);

    Document& document_;
    Paragraph paragraph_;
    bool pageBreakPending_ = false;
    Cell cell_;
    Row row_;
    Table table_;
};

} // namespace korvel::rtf
