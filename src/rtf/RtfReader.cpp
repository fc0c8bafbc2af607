#include "rtf/RtfReader.h"

#include "rtf/CodePages.h"
#include "rtf/FieldInstruction.h"
#include "rtf/RtfReaderState.h"
#include "rtf/SymbolFonts.h"
#include "settings/CodePage.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace korvel::rtf {
namespace detail {

Document Reader::read() {
    // The header: "{\rtf" after optional white space.
    Token first = tokenizer_.next();
    while (first.kind == Token::Kind::Text &&
           std::all_of(first.name.begin(), first.name.end(),
                       [](char c) { return c == ' ' || c == '\t'; })) {
        first = tokenizer_.next();
    }
    if (first.kind != Token::Kind::GroupStart) {
        return std::move(document_);
    }
    const Token second = tokenizer_.next();
    if (second.kind != Token::Kind::ControlWord || second.name != "rtf") {
        return std::move(document_);
    }
    document_.isRtf = true;
    stack_.reserve(kMaxGroupDepth + 1);
    stack_.push_back(GroupState{});
    stack_.push_back(GroupState{});

    for (Token token = tokenizer_.next(); token.kind != Token::Kind::End && stack_.size() > 1;
         token = tokenizer_.next()) {
        if (token.kind == Token::Kind::GroupStart) {
            groupStart();
            continue;
        }
        if (token.kind == Token::Kind::GroupEnd) {
            groupEnd();
            continue;
        }
        if (overflowDepth_ > 0) {
            continue;
        }
        switch (token.kind) {
        case Token::Kind::ControlWord:
            controlWord(token);
            break;
        case Token::Kind::ControlSymbol:
            controlSymbol(token.name[0]);
            break;
        case Token::Kind::HexByte:
            hexByte(token.byte);
            break;
        case Token::Kind::Text:
            text(token.name);
            break;
        case Token::Kind::Binary:
            if (state().destination == Destination::Picture && picture_.active) {
                picture_.picture.data.insert(picture_.picture.data.end(), token.name.begin(),
                                             token.name.end());
            }
            break;
        default:
            break;
        }
    }
    // A truncated document: close what is open, keeping what was read.
    while (stack_.size() > 1) {
        groupEnd();
    }
    flushText();
    builder_.finish(stack_.back().para);
    return std::move(document_);
}

void Reader::groupStart() {
    starPending_ = false;
    skipCount_ = 0;
    if (overflowDepth_ > 0 || static_cast<int>(stack_.size()) > kMaxGroupDepth) {
        ++overflowDepth_;
        return;
    }
    flushText();
    stack_.push_back(stack_.back());
}

void Reader::groupEnd() {
    starPending_ = false;
    skipCount_ = 0;
    if (overflowDepth_ > 0) {
        --overflowDepth_;
        return;
    }
    flushText();
    GroupState closed = std::move(stack_.back());
    stack_.pop_back();
    if (closed.destination != stack_.back().destination) {
        finishDestination(closed);
    }
    if (closed.field >= 0 && closed.field != stack_.back().field) {
        finishField(closed);
    }
}

void Reader::finishField(const GroupState& field) {
    // A SYMBOL field shows the character its instruction names; its result,
    // if any, was skipped.
    if (field.destination != Destination::Body || field.hidden ||
        state().destination != Destination::Body) {
        return;
    }
    const auto symbol =
        SymbolFieldCharacter(fieldInstructions_[static_cast<std::size_t>(field.field)]);
    if (!symbol) {
        return;
    }
    char32_t c = symbol->code;
    if (!symbol->unicode) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (!symbol->font) {
            c = fontCharacter(field.chr.font, byte);
        } else if (const SymbolFont named = SymbolFontOf(Font{*symbol->font, 0});
                   named != SymbolFont::None) {
            c = SymbolFontCharacter(named, byte);
        } else {
            c = CodePageCharacter(codePage_, byte);
        }
    }
    bodyCharacter(c, field.chr);
}

void Reader::finishDestination(const GroupState& closed) {
    switch (closed.destination) {
    case Destination::FontTable:
        commitFont();
        break;
    case Destination::StyleSheet:
        commitStyle();
        break;
    case Destination::ListText: {
        std::string marker = std::exchange(marker_, {});
        while (!marker.empty() && (marker.back() == ' ' || marker.back() == '\t')) {
            marker.pop_back();
        }
        builder_.setListMarker(std::move(marker));
        break;
    }
    case Destination::Bookmark:
        builder_.addBookmark(std::exchange(bookmark_, {}));
        break;
    case Destination::Picture:
        if (picture_.active && picture_.kind >= 0 && !picture_.picture.data.empty()) {
            Picture& p = picture_.picture;
            p.kind = static_cast<Picture::Kind>(picture_.kind);
            p.widthTwips = static_cast<int>(std::min<long long>(
                static_cast<long long>(picture_.goalWidth) * picture_.scaleX / 100, kMaxLength));
            p.heightTwips = static_cast<int>(std::min<long long>(
                static_cast<long long>(picture_.goalHeight) * picture_.scaleY / 100, kMaxLength));
            builder_.addPicture(std::move(p), closed.chr);
        }
        picture_ = PendingPicture{};
        break;
    default:
        break;
    }
}

void Reader::flushText() {
    if (!textBuffer_.empty()) {
        builder_.addText(textBuffer_, textFormat_);
        textBuffer_.clear();
    }
}

char32_t Reader::decode(std::uint8_t byte) const {
    const GroupState& s = stack_.back();
    if (s.destination == Destination::FontTable) {
        // A font's name is in the font's own character set, not the one in use;
        // a symbol font's name is in letters all the same.
        const int codePage =
            font_.charset == kSymbolCharset ? codePage_ : CharsetCodePage(font_.charset, codePage_);
        return CodePageCharacter(codePage, byte);
    }
    if (const SymbolFont symbol = symbolFontInUse(); symbol != SymbolFont::None) {
        return SymbolFontCharacter(symbol, byte);
    }
    return fontCharacter(s.chr.font, byte);
}

char32_t Reader::fontCharacter(int fontNumber, std::uint8_t byte) const {
    const auto font = document_.fonts.find(fontNumber);
    if (font == document_.fonts.end()) {
        return CodePageCharacter(codePage_, byte);
    }
    if (const SymbolFont symbol = SymbolFontOf(font->second); symbol != SymbolFont::None) {
        return SymbolFontCharacter(symbol, byte);
    }
    return CodePageCharacter(CharsetCodePage(font->second.charset, codePage_), byte);
}

SymbolFont Reader::symbolFontInUse() const {
    // Only text that is shown: a field instruction's keywords are letters
    // whatever its font.
    const GroupState& s = stack_.back();
    if (s.destination != Destination::Body && s.destination != Destination::ListText) {
        return SymbolFont::None;
    }
    const auto font = document_.fonts.find(s.chr.font);
    return font == document_.fonts.end() ? SymbolFont::None : SymbolFontOf(font->second);
}

void Reader::character(char32_t c) {
    if (highSurrogate_ != 0) {
        const char32_t high = std::exchange(highSurrogate_, 0);
        if (c >= 0xDC00 && c <= 0xDFFF) {
            c = 0x10000 + ((high - 0xD800) << 10) + (c - 0xDC00);
        } else {
            character(0xFFFD);
        }
    }
    if (c >= 0xD800 && c <= 0xDBFF) {
        highSurrogate_ = c;
        return;
    }
    if (c < 0x20 && c != '\t' && c != '\n') {
        return;
    }
    GroupState& s = state();
    switch (s.destination) {
    case Destination::Body:
        if (s.hidden) {
            break;
        }
        bodyCharacter(c, s.chr);
        break;
    case Destination::FontTable:
        if (c == ';') {
            commitFont();
        } else if (font_.name.size() < kMaxNameLength) {
            AppendUtf8(font_.name, c);
        }
        break;
    case Destination::ColorTable:
        if (c == ';') {
            commitColor();
        }
        break;
    case Destination::StyleSheet:
        if (c == ';') {
            commitStyle();
        } else if (style_.name.size() < kMaxNameLength) {
            AppendUtf8(style_.name, c);
        }
        break;
    case Destination::ListText:
        if (marker_.size() < kMaxMarkerLength) {
            AppendUtf8(marker_, c);
        }
        break;
    case Destination::Bookmark:
        if (bookmark_.size() < kMaxNameLength) {
            AppendUtf8(bookmark_, c);
        }
        break;
    case Destination::FieldInstruction:
        if (s.field >= 0 &&
            fieldInstructions_[static_cast<std::size_t>(s.field)].size() < kMaxInstructionLength) {
            AppendUtf8(fieldInstructions_[static_cast<std::size_t>(s.field)], c);
        }
        break;
    default:
        break;
    }
}

void Reader::bodyCharacter(char32_t c, const CharFormat& format) {
    if (!textBuffer_.empty() && !(textFormat_ == format)) {
        flushText();
    }
    textFormat_ = format;
    AppendUtf8(textBuffer_, c);
}

void Reader::text(std::string_view bytes) {
    if (skipCount_ > 0) {
        const std::size_t skipped = std::min(bytes.size(), static_cast<std::size_t>(skipCount_));
        skipCount_ -= static_cast<int>(skipped);
        bytes.remove_prefix(skipped);
    }
    if (state().destination == Destination::Picture) {
        pictureHex(bytes);
        return;
    }
    if (state().destination == Destination::Skip) {
        return;
    }
    // ASCII is itself, except in a symbol font.
    const bool asciiIsText = symbolFontInUse() == SymbolFont::None;
    for (const char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        character(byte < 0x80 && asciiIsText ? char32_t{byte} : decode(byte));
    }
}

void Reader::hexByte(std::uint8_t byte) {
    if (skipCount_ > 0) {
        --skipCount_;
        return;
    }
    if (state().destination == Destination::Picture) {
        return;
    }
    character(decode(byte));
}

void Reader::unicode(int value) {
    // \uN is a signed 16-bit number; negative values stand for N + 65536.
    if (value < 0) {
        value += 65536;
    }
    char32_t c = value > 0 && value <= 0xFFFF ? static_cast<char32_t>(value) : char32_t{0xFFFD};
    if (c >= kSymbolPrivateUseBase + 0x20 && c <= kSymbolPrivateUseBase + 0xFF) {
        const SymbolFont symbol = symbolFontInUse();
        if (symbol == SymbolFont::Symbol || symbol == SymbolFont::Wingdings) {
            c = SymbolFontCharacter(symbol, static_cast<std::uint8_t>(c - kSymbolPrivateUseBase));
        }
    }
    character(c);
    skipCount_ = state().unicodeSkip;
}

void Reader::pictureHex(std::string_view bytes) {
    if (!picture_.active) {
        return;
    }
    for (const char c : bytes) {
        int value = -1;
        if (c >= '0' && c <= '9') {
            value = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            value = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            value = c - 'A' + 10;
        } else {
            continue;
        }
        if (picture_.nibble < 0) {
            picture_.nibble = value;
        } else {
            picture_.picture.data.push_back(
                static_cast<std::uint8_t>(picture_.nibble * 16 + value));
            picture_.nibble = -1;
        }
    }
}

void Reader::commitFont() {
    if (fontNumber_ >= 0) {
        while (!font_.name.empty() && font_.name.back() == ' ') {
            font_.name.pop_back();
        }
        document_.fonts[fontNumber_] = std::move(font_);
    }
    fontNumber_ = -1;
    font_ = Font{};
}

void Reader::commitColor() {
    Color color = color_;
    color.automatic = !colorHasValue_;
    document_.colors.push_back(color);
    color_ = Color{};
    colorHasValue_ = false;
}

void Reader::commitStyle() {
    if (!style_.name.empty() || style_.outlineLevel >= 0) {
        styles_[style_.number] = std::move(style_);
    }
    style_ = StyleEntry{};
}

int Reader::headingLevel() const {
    const GroupState& s = stack_.back();
    int level = s.outlineLevel;
    if (level < 0) {
        const auto style = styles_.find(s.style);
        if (style != styles_.end()) {
            level = style->second.outlineLevel;
            std::string name = style->second.name;
            std::transform(name.begin(), name.end(), name.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            if (level < 0 && name.starts_with("heading ") && name.size() > 8 && name[8] >= '1' &&
                name[8] <= '9') {
                level = name[8] - '1';
            }
        }
    }
    return level >= 0 && level < 9 ? level + 1 : 0;
}

void Reader::endParagraph() {
    flushText();
    ParagraphFormat format = state().para;
    format.headingLevel = headingLevel();
    builder_.endParagraph(format, state().inTable);
}

} // namespace detail

Document ReadRtf(std::string_view input) {
    return detail::Reader(input).read();
}

} // namespace korvel::rtf
