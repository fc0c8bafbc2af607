#pragma once

// The reader's inner workings, shared by its source files and by nothing else.

#include "rtf/CodePages.h"
#include "rtf/ControlWords.h"
#include "rtf/Document.h"
#include "rtf/DocumentBuilder.h"
#include "rtf/RtfTokenizer.h"
#include "rtf/SymbolFonts.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
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

// Limits that keep every number the reader hands on in a sane range.
constexpr int kMaxLength = 31680; // 22 inches in twips
constexpr std::size_t kMaxNameLength = 256;
constexpr std::size_t kMaxInstructionLength = 2048;
constexpr std::size_t kMaxMarkerLength = 64;

inline int Clamp(int value, int low, int high) {
    return std::clamp(value, low, high);
}

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

struct PendingPicture {
    bool active = false;
    int kind = -1; // -1 unknown, else Picture::Kind
    Picture picture;
    int nibble = -1;
    int goalWidth = 0, goalHeight = 0, scaleX = 100, scaleY = 100;
};

struct StyleEntry {
    int number = 0;
    int outlineLevel = -1;
    std::string name;
};

// Reads one document: a state machine over the tokens, with one state per
// open group.
class Reader {
public:
    explicit Reader(std::string_view input) : tokenizer_(input), builder_(document_) {}

    Document read();

private:
    void groupStart();
    void groupEnd();
    void controlWord(const Token& token);
    void fontTableWord(Word word, int n);
    void colorTableWord(Word word, int n);
    void styleSheetWord(Word word, int n);
    void pictureWord(Word word, int n);
    bool characterWord(Word word, const Token& token);
    bool paragraphWord(Word word, int n);
    void bodyWord(Word word, int n);
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
    void finishField(const GroupState& field);
    void commitFont();
    void commitColor();
    void commitStyle();
    void pictureHex(std::string_view bytes);
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
    std::vector<std::string> fieldInstructions_;
    std::vector<int> fieldLinks_;
    std::string marker_;
    std::string bookmark_;
    PendingPicture picture_;

    int fontNumber_ = -1;
    Font font_;
    Color color_;
    bool colorHasValue_ = false;
    StyleEntry style_;
    std::unordered_map<int, StyleEntry> styles_;
};

} // namespace korvel::rtf::detail
