#include "ui/RtfTextDocument.h"

#include "rtf/SymbolFonts.h"
#include "ui/LongWordBreaker.h"
#include "ui/TextContrast.h"
#include "ui/WindowMetrics.h"

#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

namespace korvel {
namespace {

using namespace korvel::rtf;

constexpr int kMaxColumns = 64;

class Converter {
public:
    Converter(QTextDocument& target, const Document& document, const PageColours& page)
        : target_(target), document_(document), page_(page), cursor_(&target) {}

    void run() {
        // The document starts with one empty block, and a table leaves one
        // after it: the next paragraph goes into that block.
        bool blockFree = true;
        const std::vector<Block>& blocks = document_.blocks;
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            if (const auto* paragraph = std::get_if<Paragraph>(&blocks[i])) {
                writeParagraph(*paragraph, !blockFree);
                i += writeEmptyFollowers(*paragraph, i + 1);
                blockFree = false;
            } else {
                blockFree = writeTable(std::get<Table>(blocks[i])) || blockFree;
            }
        }
    }

private:
    static bool SameEmptyLine(const Paragraph& first, const Block& next) {
        const auto* paragraph = std::get_if<Paragraph>(&next);
        return paragraph != nullptr && paragraph->empty() && !paragraph->pageBreakBefore &&
               paragraph->format == first.format;
    }

    // Qt's cost is per block, so empty paragraphs after an empty one of the
    // same format, with no space around them, become empty lines of its
    // block: they look the same. Returns how many it wrote.
    std::size_t writeEmptyFollowers(const Paragraph& first, std::size_t next) {
        if (!first.empty() || first.format.spaceBefore != 0 || first.format.spaceAfter != 0) {
            return 0;
        }
        std::size_t count = 0;
        while (next + count < document_.blocks.size() &&
               SameEmptyLine(first, document_.blocks[next + count])) {
            ++count;
        }
        if (count > 0) {
            cursor_.insertText(QString(static_cast<qsizetype>(count), QChar::LineSeparator),
                               charFormat(CharFormat{}));
        }
        return count;
    }

    QTextBlockFormat blockFormat(const Paragraph& paragraph) const {
        const ParagraphFormat& f = paragraph.format;
        QTextBlockFormat format;
        switch (f.alignment) {
        case Alignment::Left:
            format.setAlignment(Qt::AlignLeft);
            break;
        case Alignment::Center:
            format.setAlignment(Qt::AlignHCenter);
            break;
        case Alignment::Right:
            format.setAlignment(Qt::AlignRight);
            break;
        case Alignment::Justify:
            format.setAlignment(Qt::AlignJustify);
            break;
        }
        format.setLeftMargin(TwipsToPixelsF(f.leftIndent));
        format.setRightMargin(TwipsToPixelsF(f.rightIndent));
        format.setTextIndent(TwipsToPixelsF(f.firstIndent));
        format.setTopMargin(TwipsToPixelsF(f.spaceBefore));
        format.setBottomMargin(TwipsToPixelsF(f.spaceAfter));
        format.setHeadingLevel(f.headingLevel);
        if (paragraph.pageBreakBefore) {
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        }
        return format;
    }

    QColor colour(int index) const {
        const Color* c = document_.color(index);
        return c ? QColor(c->red, c->green, c->blue) : QColor();
    }

    QTextCharFormat charFormat(const CharFormat& f) const {
        QTextCharFormat format;
        format.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(f.italic);
        format.setFontUnderline(f.underline);
        format.setFontStrikeOut(f.strike);
        format.setFontPointSize(f.fontSize / 2.0);
        // Text of a symbol font is already in the Unicode characters it shows.
        if (const auto font = document_.fonts.find(f.font);
            font != document_.fonts.end() && !font->second.name.empty() &&
            SymbolFontOf(font->second) == SymbolFont::None) {
            format.setFontFamilies({QString::fromStdString(font->second.name)});
        }
        const QColor back = colour(f.background);
        if (back.isValid()) {
            format.setBackground(back);
        }
        if (f.position == VerticalPosition::Superscript) {
            format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        } else if (f.position == VerticalPosition::Subscript) {
            format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        }
        const bool link = f.link >= 0 && static_cast<std::size_t>(f.link) < document_.links.size();
        if (link) {
            format.setAnchor(true);
            format.setAnchorHref(
                QString::fromStdString(document_.links[static_cast<std::size_t>(f.link)]));
            format.setFontUnderline(true);
        }
        setReadableForeground(format, colour(f.color), back.isValid() ? back : textBackground(),
                              link);
        return format;
    }

    // The background that text without a highlight of its own is drawn on.
    QColor textBackground() const { return cellShade_.isValid() ? cellShade_ : page_.background; }

    // The document's colour where it can be read on `background`; else the
    // page's colour for such text, or black or white. Text with no colour of
    // its own keeps the viewer's text colour where that can be read.
    void setReadableForeground(QTextCharFormat& format, const QColor& own, const QColor& background,
                               bool link) const {
        const QColor pageColour = link ? page_.link : page_.text;
        const QColor chosen =
            ReadableOn(background, {own.isValid() ? own : pageColour, pageColour, page_.text});
        if (own.isValid() || link || chosen != page_.text) {
            format.setForeground(chosen);
        }
    }

    void writeRuns(const Paragraph& paragraph) {
        longWords_.startParagraph();
        if (!paragraph.listMarker.empty()) {
            const CharFormat markerFormat =
                paragraph.runs.empty() ? CharFormat{} : paragraph.runs.front().format;
            QTextCharFormat format = charFormat(markerFormat);
            format.setAnchor(false);
            format.setAnchorHref(QString());
            cursor_.insertText(QString::fromStdString(paragraph.listMarker) + QChar('\t'), format);
        }
        for (const rtf::Run& run : paragraph.runs) {
            if (run.picture >= 0) {
                writePicture(run);
                continue;
            }
            QString text = QString::fromStdString(run.text);
            text.replace(QChar('\n'), QChar::LineSeparator);
            cursor_.insertText(longWords_.apply(text), charFormat(run.format));
        }
    }

    void writePicture(const rtf::Run& run) {
        const auto index = static_cast<std::size_t>(run.picture);
        if (index >= document_.pictures.size()) {
            return;
        }
        const Picture& picture = document_.pictures[index];
        const QImage image = QImage::fromData(reinterpret_cast<const uchar*>(picture.data.data()),
                                              static_cast<int>(picture.data.size()),
                                              picture.kind == Picture::Kind::Png ? "PNG" : "JPEG");
        if (image.isNull()) {
            cursor_.insertText(QStringLiteral("[picture]"), charFormat(run.format));
            return;
        }
        const QUrl name(QStringLiteral("rtf-picture://%1").arg(index));
        target_.addResource(QTextDocument::ImageResource, name, image);
        QTextImageFormat format;
        format.setName(name.toString());
        if (picture.widthTwips > 0 && picture.heightTwips > 0) {
            format.setWidth(TwipsToPixelsF(picture.widthTwips));
            format.setHeight(TwipsToPixelsF(picture.heightTwips));
        }
        cursor_.insertImage(format);
    }

    // Writes the paragraph into a block of its own after the cursor, or with
    // `newBlock` false into the empty block at the cursor.
    void writeParagraph(const Paragraph& paragraph, bool newBlock) {
        QTextBlockFormat format = blockFormat(paragraph);
        if (!paragraph.listMarker.empty() && format.textIndent() < 0) {
            // A hanging indent: the tab after the marker, measured from where the
            // first line starts, reaches the margin of the other lines.
            format.setTabPositions({QTextOption::Tab(-format.textIndent(), QTextOption::LeftTab)});
        }
        const QTextCharFormat chars = paragraph.runs.empty()
                                          ? charFormat(CharFormat{})
                                          : charFormat(paragraph.runs.front().format);
        // One insertion with both formats: setting them afterwards costs two
        // more edits of the document for every paragraph.
        if (newBlock) {
            cursor_.insertBlock(format, chars);
        } else {
            cursor_.setBlockFormat(format);
            cursor_.setBlockCharFormat(chars);
        }
        const int start = cursor_.position();
        writeRuns(paragraph);
        markBookmarks(paragraph, start);
    }

    // Names the paragraph's first character after its bookmarks, so that a
    // link to one of them scrolls there.
    void markBookmarks(const Paragraph& paragraph, int start) {
        if (paragraph.bookmarks.empty() || cursor_.position() == start) {
            return;
        }
        QStringList names;
        for (const std::string& name : paragraph.bookmarks) {
            names.append(QString::fromStdString(name));
        }
        QTextCursor first(&target_);
        first.setPosition(start);
        first.setPosition(start + 1, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setAnchor(true);
        format.setAnchorNames(names);
        first.mergeCharFormat(format);
    }

    // Returns whether it wrote the table.
    bool writeTable(const Table& table) {
        int columns = 0;
        for (const Row& row : table.rows) {
            columns = std::max(columns, static_cast<int>(row.cells.size()));
        }
        // Cells past the last column that fits a page share that column.
        columns = std::min(columns, kMaxColumns);
        if (columns == 0) {
            return false;
        }
        QTextTableFormat format;
        format.setCellPadding(3);
        format.setCellSpacing(0);
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setColumnWidthConstraints(columnWidths(table.rows.front(), columns));
        QTextTable* qtable =
            cursor_.insertTable(static_cast<int>(table.rows.size()), columns, format);
        for (int r = 0; r < static_cast<int>(table.rows.size()); ++r) {
            const Row& row = table.rows[static_cast<std::size_t>(r)];
            for (int c = 0; c < static_cast<int>(row.cells.size()); ++c) {
                const bool shared = c >= columns;
                cursor_ = shared ? qtable->cellAt(r, columns - 1).lastCursorPosition()
                                 : qtable->cellAt(r, c).firstCursorPosition();
                const Cell& cell = row.cells[static_cast<std::size_t>(c)];
                cellShade_ = shared ? QColor() : colour(cell.background);
                for (std::size_t p = 0; p < cell.paragraphs.size(); ++p) {
                    writeParagraph(cell.paragraphs[p], p > 0 || shared);
                }
                cellShade_ = QColor();
                // After the text: the cell's format lives on its first block's
                // character format, which writing a paragraph replaces.
                if (const QColor shade = colour(cell.background); shade.isValid() && !shared) {
                    QTextTableCellFormat cellFormat;
                    cellFormat.setBackground(shade);
                    qtable->cellAt(r, c).setFormat(cellFormat);
                }
            }
        }
        cursor_ = qtable->lastCursorPosition();
        cursor_.movePosition(QTextCursor::NextBlock);
        return true;
    }

    static QList<QTextLength> columnWidths(const Row& row, int columns) {
        QList<QTextLength> widths;
        int left = 0;
        for (int c = 0; c < columns; ++c) {
            const int edge = c < static_cast<int>(row.cells.size())
                                 ? row.cells[static_cast<std::size_t>(c)].rightEdge
                                 : 0;
            if (edge > left) {
                widths.append(QTextLength(QTextLength::FixedLength, TwipsToPixelsF(edge - left)));
                left = edge;
            } else {
                widths.append(QTextLength(QTextLength::VariableLength, 0));
            }
        }
        return widths;
    }

    QTextDocument& target_;
    const Document& document_;
    const PageColours& page_;
    QColor cellShade_; // the shade of the cell being written, if it has one
    QTextCursor cursor_;
    LongWordBreaker longWords_;
};

} // namespace

void FillTextDocument(QTextDocument& target, const rtf::Document& document,
                      const PageColours& page) {
    target.clear();
    QTextOption option = target.defaultTextOption();
    option.setWrapMode(
        QTextOption::WrapAtWordBoundaryOrAnywhere); // a word wider than the line breaks
    target.setDefaultTextOption(option);
    // One edit block: the document indexes its frames (the tables) once, not
    // after every insertion, and keeps no undo history of the load.
    const bool undo = target.isUndoRedoEnabled();
    target.setUndoRedoEnabled(false);
    QTextCursor edit(&target);
    edit.beginEditBlock();
    Converter(target, document, page).run();
    edit.endEditBlock();
    target.setUndoRedoEnabled(undo);
}

} // namespace korvel
