#include "rtf/PlainTextRenderer.h"

#include "rtf/TextWrap.h"

#include <algorithm>
#include <numeric>

namespace korvel::rtf {
namespace {

// About one column of a monospaced 12-point font: 0.1 inch.
constexpr int kTwipsPerColumn = 144;
constexpr int kMinColumnWidth = 6;

using Lines = std::vector<std::string>;

std::string PictureLabel(const Picture& picture) {
    return picture.kind == Picture::Kind::Png ? "[picture (PNG)]" : "[picture (JPEG)]";
}

// The paragraph's text, with pictures named and link addresses added after the
// link text when they say something the text does not.
std::string InlineText(const Document& document, const Paragraph& paragraph) {
    std::string text;
    std::string linkText;
    const auto closeLink = [&](int link) {
        if (link < 0 || static_cast<std::size_t>(link) >= document.links.size()) {
            return;
        }
        const std::string& target = document.links[static_cast<std::size_t>(link)];
        if (!target.starts_with('#') && target != linkText) {
            text += " <" + target + ">";
        }
        linkText.clear();
    };
    int openLink = -1;
    for (const Run& run : paragraph.runs) {
        if (run.format.link != openLink) {
            closeLink(openLink);
            openLink = run.format.link;
        }
        if (run.picture >= 0 && static_cast<std::size_t>(run.picture) < document.pictures.size()) {
            text += PictureLabel(document.pictures[static_cast<std::size_t>(run.picture)]);
        } else {
            text += run.text;
            if (openLink >= 0) {
                linkText += run.text;
            }
        }
    }
    closeLink(openLink);
    return text;
}

void Align(Lines& lines, Alignment alignment, int indent, int width) {
    if (alignment != Alignment::Center && alignment != Alignment::Right) {
        return;
    }
    for (std::string& line : lines) {
        const int room = width - indent - DisplayWidth(line);
        if (room > 0) {
            const int pad = alignment == Alignment::Center ? room / 2 : room;
            line.insert(0, static_cast<std::size_t>(pad), ' ');
        }
    }
}

// One paragraph as lines at most `width` columns wide.
Lines RenderParagraph(const Document& document, const Paragraph& paragraph, int width) {
    const ParagraphFormat& f = paragraph.format;
    const int maxIndent = std::max(width / 2, 0);
    const int left = std::clamp(f.leftIndent / kTwipsPerColumn, 0, maxIndent);
    const int first = std::clamp((f.leftIndent + f.firstIndent) / kTwipsPerColumn, 0, maxIndent);
    const int right = std::clamp(f.rightIndent / kTwipsPerColumn, 0, maxIndent / 2);

    std::string prefix(static_cast<std::size_t>(first), ' ');
    if (!paragraph.listMarker.empty()) {
        prefix += paragraph.listMarker + " ";
    }
    const int prefixWidth = DisplayWidth(prefix);
    const int rest = paragraph.listMarker.empty() ? left : prefixWidth;
    Lines lines = WrapText(InlineText(document, paragraph), width - right - prefixWidth,
                           width - right - rest);
    if (f.headingLevel == 0) {
        Align(lines, f.alignment, rest, width - right);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        lines[i].insert(0, i == 0 ? prefix : std::string(static_cast<std::size_t>(rest), ' '));
    }
    if (f.headingLevel == 1 || f.headingLevel == 2) {
        int underline = 0;
        for (const std::string& line : lines) {
            underline = std::max(underline, DisplayWidth(line));
        }
        lines.emplace_back(static_cast<std::size_t>(underline), f.headingLevel == 1 ? '=' : '-');
    }
    return lines;
}

Lines RenderCell(const Document& document, const Cell& cell, int width) {
    Lines lines;
    for (const Paragraph& paragraph : cell.paragraphs) {
        Paragraph flat = paragraph;
        flat.format.leftIndent = flat.format.firstIndent = flat.format.rightIndent = 0;
        flat.format.headingLevel = 0;
        flat.format.alignment = Alignment::Left;
        Lines part = RenderParagraph(document, flat, width);
        lines.insert(lines.end(), part.begin(), part.end());
    }
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

std::vector<int> ColumnWidths(const Document& document, const Table& table, int width) {
    std::size_t columns = 0;
    for (const Row& row : table.rows) {
        columns = std::max(columns, row.cells.size());
    }
    std::vector<int> natural(columns, 1);
    for (const Row& row : table.rows) {
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            for (const std::string& line : RenderCell(document, row.cells[c], 1 << 20)) {
                natural[c] = std::max(natural[c], DisplayWidth(line));
            }
        }
    }
    const int available = width - 3 * static_cast<int>(columns) - 1;
    const long long total = std::accumulate(natural.begin(), natural.end(), 0LL);
    if (total <= available) {
        return natural;
    }
    std::vector<int> widths(columns);
    if (available < static_cast<long long>(columns) * kMinColumnWidth) {
        // Too many columns for the terminal: each keeps the floor and the
        // table runs past the right edge.
        for (std::size_t c = 0; c < columns; ++c) {
            widths[c] = std::min(natural[c], kMinColumnWidth);
        }
        return widths;
    }
    for (std::size_t c = 0; c < columns; ++c) {
        const long long share = std::max(available, 0) * static_cast<long long>(natural[c]) / total;
        widths[c] = std::min(natural[c], std::max(kMinColumnWidth, static_cast<int>(share)));
    }
    // The floor of the narrow columns may still overflow: take it from the widest.
    long long used = std::accumulate(widths.begin(), widths.end(), 0LL);
    while (used > available) {
        const auto widest = std::max_element(widths.begin(), widths.end());
        if (*widest <= 1) {
            break;
        }
        --*widest;
        --used;
    }
    return widths;
}

Lines RenderTable(const Document& document, const Table& table, int width) {
    const std::vector<int> widths = ColumnWidths(document, table, width);
    std::string rule = "+";
    for (const int w : widths) {
        rule += std::string(static_cast<std::size_t>(w + 2), '-') + "+";
    }
    Lines lines{rule};
    for (const Row& row : table.rows) {
        std::vector<Lines> cells(widths.size());
        std::size_t height = 1;
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            cells[c] = RenderCell(document, row.cells[c], widths[c]);
            height = std::max(height, cells[c].size());
        }
        for (std::size_t i = 0; i < height; ++i) {
            std::string line = "|";
            for (std::size_t c = 0; c < widths.size(); ++c) {
                const std::string text = i < cells[c].size() ? cells[c][i] : std::string();
                const int pad = std::max(widths[c] - DisplayWidth(text), 0);
                line += " " + text + std::string(static_cast<std::size_t>(pad), ' ') + " |";
            }
            lines.push_back(std::move(line));
        }
        lines.push_back(rule);
    }
    return lines;
}

bool IsListItem(const Block& block) {
    const auto* paragraph = std::get_if<Paragraph>(&block);
    return paragraph != nullptr && !paragraph->listMarker.empty();
}

} // namespace

std::string RenderPlainText(const Document& document, int width) {
    width = std::max(width, 20);
    std::string out;
    bool blankPending = false;
    const Block* previous = nullptr;
    for (const Block& block : document.blocks) {
        Lines lines;
        if (const auto* paragraph = std::get_if<Paragraph>(&block)) {
            if (paragraph->empty()) {
                blankPending = previous != nullptr;
                continue;
            }
            lines = RenderParagraph(document, *paragraph, width);
        } else {
            lines = RenderTable(document, std::get<Table>(block), width);
        }
        if (previous != nullptr &&
            (blankPending || !(IsListItem(*previous) && IsListItem(block)))) {
            out += '\n';
        }
        blankPending = false;
        for (std::string& line : lines) {
            while (!line.empty() && line.back() == ' ') {
                line.pop_back();
            }
            out += line;
            out += '\n';
        }
        previous = &block;
    }
    return out;
}

} // namespace korvel::rtf
