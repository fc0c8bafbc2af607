#pragma once

// The reader's inner workings, shared by its source files and by nothing else.

#include "rtf/CodePages.h"
#include "rtf/ColorTableReader.h"
#include "rtf/ControlWords.h"
#include "rtf/Document.h"
#include "rtf/DocumentBuilder.h"
#include "rtf/FieldReader.h"
#include "rtf/FontTableReader.h"
#include "rtf/PictureReader.h"
#include "rtf/ReaderLimits.h"
#include "rtf/RtfTokenizer.h"
#include "rtf/StyleSheetReader.h"
#include "rtf/SymbolFonts.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvel::rtf::detail {

// Where the text of a group goes.
enum class Destination : std::uint8_t {
    Body,
    Skip,
    FontTable,
    ColorTable,
    StyleSheet,
    ListText,
    FieldInstruction,
    Picture,
    Bookmark,
};

struct GroupState {
    Destination destination = Destination::Body;
    CharFormat chr;
    ParagraphFormat para;
    bool inTable = false;
    bool hidden = false; // \v: text that the reader's user never sees
    int style = 0;
    int outlineLevel = -1;
    int unicodeSkip = 1;
    int field = -1; // index of the field this group belongs to
};

// Reads one document: a state machine over the tokens, with one state per
// open group. The body is read here; each other destination has a reader of
// its own (font table, colour table, style sheet, picture, field).
class Reader {
public:
    explicit Reader(std::string_view input)
        : tokenizer_(input), builder_(document_), fontTable_(document_.fonts),
          colorTable_(document_.colors), fields_(document_.links) {}

    Document read();

private:
    bool readHeader();
    void token(const Token& token);
    void groupStart();
    void groupEnd();
    void controlWord(const Token& token);
    bool anywhereWord(Word word, const Token& token);
    bool characterWord(Word word, const Token& token);
    bool paragraphWord(Word word, int n);
    void bodyWord(Word word, int n);
    bool breakWord(Word word);
    bool tableWord(Word word, int n);
    void destinationWord(Word word);
    void fieldResult();
    void controlSymbol(char symbol);
    void text(std::string_view bytes);
    void character(char32_t c);
    void bodyCharacter(char32_t c, const CharFormat& format);
    void hexByte(std::uint8_t byte);
    void unicode(int value);
    void flushText();
    char32_t decode(std::uint8_t byte) const;
    char32_t fontCharacter(int fontNumber, std::uint8_t byte) const;
    SymbolFont symbolFontInUse() const;
    void endParagraph();
    void finishDestination(const GroupState& closed);
    void finishListText();
    void finishField(const GroupState& field);
    int headingLevel() const;

    GroupState& state() { return stack_.back(); }

    RtfTokenizer tokenizer_;
    Document document_;
    DocumentBuilder builder_;
    std::vector<GroupState> stack_;
    int overflowDepth_ = 0;
    bool starPending_ = false;
    int skipCount_ = 0;
    char32_t highSurrogate_ = 0;
    int defaultFont_ = -1;
    int codePage_ = kDefaultCodePage; // of bytes in no font or an ANSI one
    std::string textBuffer_;
    CharFormat textFormat_;

    std::vector<CellDefinition> cellDefinitions_;
    int cellShading_ = -1;
    std::string marker_;
    std::string bookmark_;

    FontTableReader fontTable_;
    ColorTableReader colorTable_;
    StyleSheetReader styleSheet_;
    PictureReader picture_;
    FieldReader fields_;
};

} // namespace korvel::rtf::detail
