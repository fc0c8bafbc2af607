// How the reader acts on control words and control symbols.

#include "rtf/CodePages.h"
#include "rtf/FieldInstruction.h"
#include "rtf/RtfReaderState.h"

#include <utility>

namespace korvel::rtf::detail {

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
    GroupState& s = state();
    if (!found) {
        if (star) {
            s.destination = Destination::Skip; // an optional destination we do not know
        }
        return;
    }
    const Word word = *found;
    const int n = token.parameter;
    const Destination dest = s.destination;

    // Destinations and words that act wherever they stand.
    switch (word) {
    case Word::SkipDestination:
        s.destination = Destination::Skip;
        return;
    case Word::FontTable:
        s.destination = Destination::FontTable;
        return;
    case Word::ColorTable:
        s.destination = Destination::ColorTable;
        return;
    case Word::StyleSheet:
        s.destination = Destination::StyleSheet;
        return;
    case Word::Uc:
        s.unicodeSkip = Clamp(n, 0, 16);
        return;
    case Word::U:
        if (token.hasParameter && dest != Destination::Skip && dest != Destination::Picture) {
            flushText();
            unicode(n);
        }
        return;
    default:
        break;
    }
    if (dest == Destination::Skip) {
        return;
    }
    if (star && word != Word::FldInst && word != Word::ShpPict && word != Word::ListText &&
        word != Word::BookmarkStart) {
        s.destination = Destination::Skip;
        return;
    }

    switch (dest) {
    case Destination::FontTable:
        fontTableWord(word, n);
        return;
    case Destination::ColorTable:
        colorTableWord(word, n);
        return;
    case Destination::StyleSheet:
        styleSheetWord(word, n);
        return;
    case Destination::Picture:
        pictureWord(word, n);
        return;
    default:
        break;
    }
    if (!characterWord(word, token) && !paragraphWord(word, n)) {
        bodyWord(word, n);
    }
}

void Reader::fontTableWord(Word word, int n) {
    if (word == Word::Font) {
        commitFont();
        fontNumber_ = std::max(n, 0);
    } else if (word == Word::Fcharset) {
        font_.charset = n;
    }
}

void Reader::colorTableWord(Word word, int n) {
    const auto component = static_cast<std::uint8_t>(Clamp(n, 0, 255));
    if (word == Word::Red) {
        color_.red = component;
    } else if (word == Word::Green) {
        color_.green = component;
    } else if (word == Word::Blue) {
        color_.blue = component;
    }
    colorHasValue_ =
        colorHasValue_ || word == Word::Red || word == Word::Green || word == Word::Blue;
}

void Reader::styleSheetWord(Word word, int n) {
    if (word == Word::Style) {
        style_.number = n;
    } else if (word == Word::OutlineLevel) {
        style_.outlineLevel = n;
    }
}

void Reader::pictureWord(Word word, int n) {
    switch (word) {
    case Word::PngBlip:
        picture_.kind = static_cast<int>(Picture::Kind::Png);
        break;
    case Word::JpegBlip:
        picture_.kind = static_cast<int>(Picture::Kind::Jpeg);
        break;
    case Word::OtherBlip:
        picture_.kind = -1;
        picture_.active = false;
        break;
    case Word::PicWGoal:
        picture_.goalWidth = Clamp(n, 0, kMaxLength);
        break;
    case Word::PicHGoal:
        picture_.goalHeight = Clamp(n, 0, kMaxLength);
        break;
    case Word::PicScaleX:
        picture_.scaleX = Clamp(n, 1, 1000);
        break;
    case Word::PicScaleY:
        picture_.scaleY = Clamp(n, 1, 1000);
        break;
    default:
        break;
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
    GroupState& s = state();
    const Destination dest = s.destination;
    switch (word) {
    case Word::Ansicpg:
        codePage_ = SupportedCodePage(n);
        break;
    case Word::Par:
    case Word::Sect:
        if (dest == Destination::Body) {
            endParagraph();
        }
        break;
    case Word::Page:
        if (dest == Destination::Body) {
            endParagraph();
            builder_.breakPage();
        }
        break;
    case Word::Line:
        character('\n');
        break;
    case Word::Tab:
        character('\t');
        break;
    case Word::Cell:
    case Word::NestCell:
        if (dest == Destination::Body) {
            flushText();
            ParagraphFormat format = s.para;
            format.headingLevel = headingLevel();
            builder_.endCell(format);
        }
        break;
    case Word::Row:
    case Word::NestRow:
        if (dest == Destination::Body) {
            flushText();
            builder_.endRow(cellDefinitions_);
        }
        break;
    case Word::Trowd:
        cellDefinitions_.clear();
        cellShading_ = -1;
        break;
    case Word::Cellx:
        if (cellDefinitions_.size() < 64) {
            cellDefinitions_.push_back({Clamp(n, 0, kMaxLength), cellShading_});
        }
        cellShading_ = -1;
        break;
    case Word::CellShading:
        cellShading_ = Clamp(n, 0, 255);
        break;
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
        s.field = static_cast<int>(fieldInstructions_.size());
        fieldInstructions_.emplace_back();
        fieldLinks_.push_back(-2);
        break;
    case Word::FldInst:
        s.destination = s.field >= 0 ? Destination::FieldInstruction : Destination::Skip;
        break;
    case Word::FldRslt:
        s.destination = Destination::Body;
        if (s.field >= 0 &&
            SymbolFieldCharacter(fieldInstructions_[static_cast<std::size_t>(s.field)])) {
            s.destination = Destination::Skip; // the field's end shows the character
        } else if (s.field >= 0) {
            int& link = fieldLinks_[static_cast<std::size_t>(s.field)];
            if (link == -2) {
                auto target =
                    HyperlinkTarget(fieldInstructions_[static_cast<std::size_t>(s.field)]);
                link = -1;
                if (target) {
                    document_.links.push_back(std::move(*target));
                    link = static_cast<int>(document_.links.size() - 1);
                }
            }
            s.chr.link = link;
        }
        break;
    case Word::ShpPict:
        break; // the picture inside it is read; the fallback beside it is skipped
    case Word::Pict:
        if (dest != Destination::Picture) {
            flushText();
            picture_ = PendingPicture{};
            picture_.active = true;
            s.destination = Destination::Picture;
        }
        break;
    case Word::Bullet:
        character(0x2022);
        break;
    case Word::EmDash:
        character(0x2014);
        break;
    case Word::EnDash:
        character(0x2013);
        break;
    case Word::LQuote:
        character(0x2018);
        break;
    case Word::RQuote:
        character(0x2019);
        break;
    case Word::LDblQuote:
        character(0x201C);
        break;
    case Word::RDblQuote:
        character(0x201D);
        break;
    case Word::EmSpace:
        character(0x2003);
        break;
    case Word::EnSpace:
        character(0x2002);
        break;
    default:
        break;
    }
}

} // namespace korvel::rtf::detail
