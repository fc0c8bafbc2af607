// How the reader acts on control words and control symbols.

#include "rtf/CodePages.h"
#include "rtf/FieldInstruction.h"
#include "rtf/RtfReaderState.h"

#include <optional>
#include <utility>

namespace korvel::rtf::detail {
namespace {

// The characters that control words stand for.
constexpr std::pair<Word, char32_t> kWordCharacters[] = {
    {Word::Line, U'\n'},     {Word::Tab, U'\t'},        {Word::Bullet, 0x2022},
    {Word::EmDash, 0x2014},  {Word::EnDash, 0x2013},    {Word::LQuote, 0x2018},
    {Word::RQuote, 0x2019},  {Word::LDblQuote, 0x201C}, {Word::RDblQuote, 0x201D},
    {Word::EmSpace, 0x2003}, {Word::EnSpace, 0x2002},
};

std::optional<char32_t> WordCharacter(Word word) {
    for (const auto& [known, c] : kWordCharacters) {
        if (known == word) {
            return c;
        }
    }
    return std::nullopt;
}

} // namespace

void Reader::controlSymbol(char symbol) {
    starPending_ = false;
    if (skipCount_ > 0) {
        --skipCount_;
        return;
    }
    switch (symbol) {
    case '*':
        starPending_ = true;
        break;
    case '\\':
    case '{':
    case '}':
        text(std::string_view(&symbol, 1));
        break;
    case '~':
        character(0x00A0);
        break;
    case '_':
        character(0x2011);
        break;
    case '\t':
        character('\t');
        break;
    default:
        break; // \- optional hyphen, \| \: index marks and unknown symbols
    }
}

void Reader::controlWord(const Token& token) {
    const bool star = std::exchange(starPending_, false);
    if (skipCount_ > 0) {
        --skipCount_;
        return;
    }
    const std::optional<Word> found = LookupControlWord(token.name);
    if (!found) {
        if (star) {
            state().destination = Destination::Skip; // an optional destination we do not know
        }
        return;
    }
    const Word word = *found;
    const int n = token.parameter;
    const Destination dest = state().destination;
    if (anywhereWord(word, token) || dest == Destination::Skip) {
        return;
    }
    if (star && word != Word::FldInst && word != Word::ShpPict && word != Word::ListText &&
        word != Word::BookmarkStart) {
        state().destination = Destination::Skip;
        return;
    }

    switch (dest) {
    case Destination::FontTable:
        fontTable_.word(word, n);
        return;
    case Destination::ColorTable:
        colorTable_.word(word, n);
        return;
    case Destination::StyleSheet:
        styleSheet_.word(word, n);
        return;
    case Destination::Picture:
        picture_.word(word, n);
        return;
    default:
        break;
    }
    if (!characterWord(word, token) && !paragraphWord(word, n)) {
        bodyWord(word, n);
    }
}

// Destinations and words that act wherever they stand.
bool Reader::anywhereWord(Word word, const Token& token) {
    GroupState& s = state();
    switch (word) {
    case Word::SkipDestination:
        s.destination = Destination::Skip;
        return true;
    case Word::FontTable:
        s.destination = Destination::FontTable;
        return true;
    case Word::ColorTable:
        s.destination = Destination::ColorTable;
        return true;
    case Word::StyleSheet:
        s.destination = Destination::StyleSheet;
        return true;
    case Word::Uc:
        s.unicodeSkip = Clamp(token.parameter, 0, 16);
        return true;
    case Word::U:
        if (token.hasParameter && s.destination != Destination::Skip &&
            s.destination != Destination::Picture) {
            flushText();
            unicode(token.parameter);
        }
        return true;
    default:
        return false;
    }
}

bool Reader::characterWord(Word word, const Token& token) {
    GroupState& s = state();
    const int n = token.parameter;
    const bool on = !token.hasParameter || n != 0;
    switch (word) {
    case Word::Deff:
        defaultFont_ = n;
        s.chr.font = n;
        return true;
    case Word::Plain:
        s.hidden = false;
        s.chr = CharFormat{};
        s.chr.font = defaultFont_;
        return true;
    case Word::Bold:
        s.chr.bold = on;
        return true;
    case Word::Italic:
        s.chr.italic = on;
        return true;
    case Word::Underline:
        s.chr.underline = on;
        return true;
    case Word::NoUnderline:
        s.chr.underline = false;
        return true;
    case Word::Strike:
        s.chr.strike = on;
        return true;
    case Word::FontSize:
        s.chr.fontSize = token.hasParameter ? Clamp(n, 2, 3276) : 24;
        return true;
    case Word::Font:
        s.chr.font = n;
        return true;
    case Word::ForeColor:
        s.chr.color = Clamp(n, 0, 255);
        return true;
    case Word::BackColor:
        s.chr.background = n > 0 ? Clamp(n, 0, 255) : -1;
        return true;
    case Word::Super:
    case Word::Up:
        s.chr.position = on ? VerticalPosition::Superscript : VerticalPosition::Normal;
        return true;
    case Word::Sub:
    case Word::Dn:
        s.chr.position = on ? VerticalPosition::Subscript : VerticalPosition::Normal;
        return true;
    case Word::Hidden:
        s.hidden = on;
        return true;
    case Word::NoSuperSub:
        s.chr.position = VerticalPosition::Normal;
        return true;
    default:
        return false;
    }
}

bool Reader::paragraphWord(Word word, int n) {
    GroupState& s = state();
    switch (word) {
    case Word::Pard:
        s.para = ParagraphFormat{};
        s.inTable = false;
        s.style = 0;
        s.outlineLevel = -1;
        return true;
    case Word::Intbl:
        s.inTable = true;
        return true;
    case Word::AlignLeft:
        s.para.alignment = Alignment::Left;
        return true;
    case Word::AlignCenter:
        s.para.alignment = Alignment::Center;
        return true;
    case Word::AlignRight:
        s.para.alignment = Alignment::Right;
        return true;
    case Word::AlignJustify:
        s.para.alignment = Alignment::Justify;
        return true;
    case Word::LeftIndent:
        s.para.leftIndent = Clamp(n, -kMaxLength, kMaxLength);
        return true;
    case Word::RightIndent:
        s.para.rightIndent = Clamp(n, -kMaxLength, kMaxLength);
        return true;
    case Word::FirstIndent:
        s.para.firstIndent = Clamp(n, -kMaxLength, kMaxLength);
        return true;
    case Word::SpaceBefore:
        s.para.spaceBefore = Clamp(n, 0, kMaxLength);
        return true;
    case Word::SpaceAfter:
        s.para.spaceAfter = Clamp(n, 0, kMaxLength);
        return true;
    case Word::Style:
        s.style = n;
        return true;
    case Word::OutlineLevel:
        s.outlineLevel = n;
        return true;
    default:
        return false;
    }
}

void Reader::bodyWord(Word word, int n) {
    if (const std::optional<char32_t> c = WordCharacter(word)) {
        character(*c);
    } else if (word == Word::Ansicpg) {
        codePage_ = SupportedCodePage(n);
    } else if (!breakWord(word) && !tableWord(word, n)) {
        destinationWord(word);
    }
}

// The ends of paragraphs and pages.
bool Reader::breakWord(Word word) {
    if (word != Word::Par && word != Word::Sect && word != Word::Page) {
        return false;
    }
    if (state().destination == Destination::Body) {
        endParagraph();
        if (word == Word::Page) {
            builder_.breakPage();
        }
    }
    return true;
}

bool Reader::tableWord(Word word, int n) {
    const bool inBody = state().destination == Destination::Body;
    switch (word) {
    case Word::Cell:
    case Word::NestCell:
        if (inBody) {
            flushText();
            ParagraphFormat format = state().para;
            format.headingLevel = headingLevel();
            builder_.endCell(format);
        }
        return true;
    case Word::Row:
    case Word::NestRow:
        if (inBody) {
            flushText();
            builder_.endRow(cellDefinitions_);
        }
        return true;
    case Word::Trowd:
        cellDefinitions_.clear();
        cellShading_ = -1;
        return true;
    case Word::Cellx:
        if (cellDefinitions_.size() < 64) {
            cellDefinitions_.push_back({Clamp(n, 0, kMaxLength), cellShading_});
        }
        cellShading_ = -1;
        return true;
    case Word::CellShading:
        cellShading_ = Clamp(n, 0, 255);
        return true;
    default:
        return false;
    }
}

// Words that open a destination of the body's: a list marker, a bookmark, a
// field and its parts, a picture.
void Reader::destinationWord(Word word) {
    GroupState& s = state();
    const Destination dest = s.destination;
    switch (word) {
    case Word::ListText:
        if (dest == Destination::Body) {
            flushText();
            marker_.clear();
            s.destination = Destination::ListText;
        }
        break;
    case Word::BookmarkStart:
        // The name of a place that links (a table of contents) lead to.
        flushText();
        bookmark_.clear();
        s.destination = dest == Destination::Body ? Destination::Bookmark : Destination::Skip;
        break;
    case Word::Field:
        s.field = fields_.start();
        break;
    case Word::FldInst:
        s.destination = s.field >= 0 ? Destination::FieldInstruction : Destination::Skip;
        break;
    case Word::FldRslt:
        fieldResult();
        break;
    case Word::Pict:
        if (dest != Destination::Picture) {
            flushText();
            picture_.start();
            s.destination = Destination::Picture;
        }
        break;
    default:
        break; // \shppict: the picture inside it is read, the fallback beside it skipped
    }
}

void Reader::fieldResult() {
    GroupState& s = state();
    s.destination = Destination::Body;
    if (s.field < 0) {
        return;
    }
    if (const std::optional<int> link = fields_.result(s.field)) {
        s.chr.link = *link;
    } else {
        s.destination = Destination::Skip; // the field's end shows the character
    }
}

} // namespace korvel::rtf::detail
