#include "rtf/DocumentBuilder.h"

#include <utility>

namespace korvel::rtf {

void DocumentBuilder::addText(std::string_view utf8, const CharFormat& format) {
    if (utf8.empty()) {
        return;
    }
    std::vector<Run>& runs = paragraph_.runs;
    if (!runs.empty() && runs.back().picture < 0 && runs.back().format == format) {
        runs.back().text += utf8;
    } else {
        runs.push_back(Run{std::string(utf8), format});
    }
}

void DocumentBuilder::addPicture(Picture picture, const CharFormat& format) {
    document_.pictures.push_back(std::move(picture));
    Run run{{}, format};
    run.picture = static_cast<int>(document_.pictures.size() - 1);
    paragraph_.runs.push_back(std::move(run));
}

void DocumentBuilder::setListMarker(std::string marker) {
    paragraph_.listMarker = std::move(marker);
}

void DocumentBuilder::addBookmark(std::string name) {
    if (!name.empty()) {
        paragraph_.bookmarks.push_back(std::move(name));
    }
}

void DocumentBuilder::breakPage() {
    pageBreakPending_ = true;
}

Paragraph DocumentBuilder::takeParagraph(const ParagraphFormat& format) {
    Paragraph done = std::move(paragraph_);
    paragraph_ = Paragraph{};
    done.format = format;
    done.pageBreakBefore = std::exchange(pageBreakPending_, false);
    return done;
}

void DocumentBuilder::endParagraph(const ParagraphFormat& format, bool inTable) {
    if (inTable) {
        cell_.paragraphs.push_back(takeParagraph(format));
        return;
    }
    closeTable();
    document_.blocks.emplace_back(takeParagraph(format));
}

void DocumentBuilder::endCell(const ParagraphFormat& format) {
    // The cell mark ends the cell's last paragraph; an empty one after earlier
    // paragraphs is only the mark itself.
    if (!paragraph_.empty() || cell_.paragraphs.empty()) {
        cell_.paragraphs.push_back(takeParagraph(format));
    }
    row_.cells.push_back(std::move(cell_));
    cell_ = Cell{};
}

void DocumentBuilder::endRow(const std::vector<CellDefinition>& definitions) {
    if (!paragraph_.empty()) {
        cell_.paragraphs.push_back(takeParagraph(ParagraphFormat{}));
    }
    if (!cell_.paragraphs.empty()) {
        row_.cells.push_back(std::move(cell_));
        cell_ = Cell{};
    }
    if (row_.cells.empty()) {
        return;
    }
    // Only cells that exist take an edge, so that a long row definition
    // repeated over many rows costs no more than the cells themselves.
    for (std::size_t i = 0; i < row_.cells.size() && i < definitions.size(); ++i) {
        row_.cells[i].rightEdge = definitions[i].rightEdge;
        row_.cells[i].background = definitions[i].background;
    }
    table_.rows.push_back(std::move(row_));
    row_ = Row{};
}

void DocumentBuilder::closeTable() {
    if (!cell_.paragraphs.empty() || !row_.cells.empty()) {
        endRow({});
    }
    if (!table_.rows.empty()) {
        document_.blocks.emplace_back(std::move(table_));
        table_ = Table{};
    }
}

void DocumentBuilder::finish(const ParagraphFormat& format) {
    if (!paragraph_.empty()) {
        if (!cell_.paragraphs.empty() || !row_.cells.empty()) {
            cell_.paragraphs.push_back(takeParagraph(format));
        } else {
            closeTable();
            document_.blocks.emplace_back(takeParagraph(format));
        }
    }
    closeTable();
}

} // namespace korvel::rtf
