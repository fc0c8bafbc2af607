#include "rtf/RtfReader.h"

#include "rtf/CodePages.h"
#include "rtf/FieldInstruction.h"
#include "rtf/RtfReaderState.h"
#include "rtf/SymbolFonts.h"
#include "settings/CodePage.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace korvel::rtf {
namespace detail {

Document Reader::read() {
    if (!readHeader()) {
        return std::move(document_);
    }
    document_.isRtf = true;
    stack_.reserve(kMaxGroupDepth + 1);
    stack_.push_back(GroupState{});
    stack_.push_back(GroupState{});

    for (Token next = tokenizer_.next(); next.kind != Token::Kind::End && stack_.size() > 1;
         next = tokenizer_.next()) {
        token(next);
    }
    // A truncated document: close what is open, keeping what was read.
    while (stack_.size() > 1) {
        groupEnd();
    }
    flushText();
    builder_.finish(stack_.back().para);
    return std::move(document_);
}

bool Reader::readHeader() {
    // "{\rtf" after optional white space.
    Token first = tokenizer_.next();
    while (first.kind == Token::Kind::Text &&
           std::all_of(first.name.begin(), first.name.end(),
                       [](char c) { return c == ' ' || c == '\t'; })) {
        first = tokenizer_.next();
    }
    if (first.kind != Token::Kind::GroupStart) {
        return false;
    }
    const Token second = tokenizer_.next();
    return second.kind == Token::Kind::ControlWord && second.name == "rtf";
}

void Reader::token(const Token& token) {
    if (token.kind == Token::Kind::GroupStart) {
        groupStart();
        return;
    }
    if (token.kind == Token::Kind::GroupEnd) {
        groupEnd();
        return;
    }
    if (overflowDepth_ > 0) {
        return;
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
        if (state().destination == Destination::Picture) {
            picture_.binary(token.name);
        }
        break;
    default:
        break;
    }
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
    const auto symbol = fields_.symbol(field.field);
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
        fontTable_.finish();
        break;
    case Destination::StyleSheet:
        styleSheet_.finish();
        break;
    case Destination::ListText:
        finishListText();
        break;
    case Destination::Bookmark:
        builder_.addBookmark(std::exchange(bookmark_, {}));
        break;
    case Destination::Picture:
        if (std::optional<Picture> picture = picture_.finish()) {
            builder_.addPicture(std::move(*picture), closed.chr);
        }
        break;
    default:
        break;
    }
}

void Reader::finishListText() {
    std::string marker = std::exchange(marker_, {});
    while (!marker.empty() && (marker.back() == ' ' || marker.back() == '\t')) {
        marker.pop_back();
    }
    builder_.setListMarker(std::move(marker));
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
        // A font's name is in the font's own character set, not the one in use.
        return CodePageCharacter(fontTable_.nameCodePage(codePage_), byte);
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
        if (!s.hidden) {
            bodyCharacter(c, s.chr);
        }
        break;
    case Destination::FontTable:
        fontTable_.character(c);
        break;
    case Destination::ColorTable:
        colorTable_.character(c);
        break;
    case Destination::StyleSheet:
        styleSheet_.character(c);
        break;
    case Destination::ListText:
        AppendLimited(marker_, c, kMaxMarkerLength);
        break;
    case Destination::Bookmark:
        AppendLimited(bookmark_, c, kMaxNameLength);
        break;
    case Destination::FieldInstruction:
        if (s.field >= 0) {
            fields_.instructionCharacter(s.field, c);
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
        picture_.hex(bytes);
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

int Reader::headingLevel() const {
    const GroupState& s = stack_.back();
    const int level = s.outlineLevel >= 0 ? s.outlineLevel : styleSheet_.outlineLevel(s.style);
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
