#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace korvel::rtf {

// The neutral model that the RTF reader produces: paragraphs of styled runs,
// tables and pictures. Text is UTF-8; lengths are in twips (1/1440 inch).

enum class Alignment { Left, Center, Right, Justify };
enum class VerticalPosition { Normal, Superscript, Subscript };

struct CharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    VerticalPosition position = VerticalPosition::Normal;
    int fontSize = 24;   // in half points
    int font = -1;       // number in the font table, -1 when none was named
    int color = -1;      // index in the colour table, -1 for the default colour
    int background = -1; // index in the colour table, -1 for no background
    int link = -1;       // index in Document::links, -1 when not a link
    bool operator==(const CharFormat&) const = default;
};

struct ParagraphFormat {
    Alignment alignment = Alignment::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0; // relative to leftIndent; negative for a hanging indent
    int spaceBefore = 0;
    int spaceAfter = 0;
    int headingLevel = 0; // 1 to 9 for headings, 0 for body text
    bool operator==(const ParagraphFormat&) const = default;
};

// A run is text in one format, or a picture (picture >= 0, text empty).
// Inside a run "\n" is a line break within the paragraph and "\t" a tab.
struct Run {
    std::string text;
    CharFormat format;
    int picture = -1; // index in Document::pictures
};

struct Paragraph {
    ParagraphFormat format;
    std::vector<Run> runs;
    std::string listMarker;             // "•", "1." ... for list items, empty otherwise
    std::vector<std::string> bookmarks; // names of the bookmarks that start in it
    bool pageBreakBefore = false;
    bool empty() const { return runs.empty() && listMarker.empty(); }
};

struct Cell {
    std::vector<Paragraph> paragraphs;
    int rightEdge = 0;   // from the row's cell definitions; 0 when it gave none
    int background = -1; // shading: index in the colour table, -1 for none
};

struct Row {
    std::vector<Cell> cells;
};

struct Table {
    std::vector<Row> rows;
};

using Block = std::variant<Paragraph, Table>;

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool automatic = false; // an empty colour-table entry: the reader's default colour
    bool operator==(const Color&) const = default;
};

struct Font {
    std::string name;
    int charset = 0;
};

struct Picture {
    enum class Kind { Png, Jpeg };
    Kind kind = Kind::Png;
    std::vector<std::uint8_t> data;
    int widthTwips = 0; // desired size as scaled in the document; 0 when unknown
    int heightTwips = 0;
};

struct Document {
    bool isRtf = false; // false: the input did not start with "{\rtf"; nothing was read
    std::vector<Block> blocks;
    std::vector<Color> colors; // the colour table, index 0 first
    std::map<int, Font> fonts; // the font table, by font number
    std::vector<std::string> links;
    std::vector<Picture> pictures;

    // The colour at `index`, or nothing when it is the automatic colour or absent.
    const Color* color(int index) const {
        if (index < 0 || static_cast<std::size_t>(index) >= colors.size() ||
            colors[static_cast<std::size_t>(index)].automatic) {
            return nullptr;
        }
        return &colors[static_cast<std::size_t>(index)];
    }
};

} // namespace korvel::rtf
