#pragma once

#include "settings/Field.h"

#include <cstddef>
#include <string_view>

namespace korvel {

enum class FieldKind {
    Text,      // a masked edit field: its text
    Check,     // a check box: 0 clear, 1 checked, 2 greyed
    ListIndex, // the Mic-E list: the 0-based entry, -1 when none is selected
};

// Which key filter a text field applies to typed characters.
enum class KeyFilter { None, Callsign, Path, StatusText, MessageText };

// How a setting's value is written in the settings file.
enum class FileCodec {
    NotInFile,    // the file holds no value of its own for the field
    QuotedText,   // the field's text between double quotes
    PlainValue,   // a check box's state as a plain number
    MessageFlags, // one number: the Mic-E index + 16 x the auto-reply box
    StatusRate,   // one number: the status-text interval + 128 x chkRxPosition
};

// Where a setting's value stands in the settings file. Load applies the values
// group by group, each once all of its values are read.
struct FilePlace {
    int line = 0;  // 1-based
    int place = 0; // 1-based, on its line
    int group = 0; // 1-based; the groups follow each other in file order
    FileCodec codec = FileCodec::NotInFile;
    // A place added after settings files were first saved: files written before
    // it end right before it, and load whole, its field keeping its value. Such
    // places come last in the file, from the start of a line and a group.
    bool newer = false;
};

// How a setting's value is written into the configuration image.
enum class ImageCodec {
    Unplaced,       // no place given: the table's checks refuse such a row
    NotInImage,     // the image holds nothing of the field (Comm num)
    TxDelay,        // milliseconds, one byte in steps of 20/3 ms, 7 ms at least
    Interval,       // seconds, one byte in steps of 10 s, 10 s at least
    Count,          // a number as it is, one byte
    GpsTimeout,     // a Count; 0 selects GPSless mode, which puts 252 in the GPS interval's byte
    CappedCount,    // a number in its bits, a larger one lowered to the highest the bits hold
    State,          // a check box's state or the list's index, in its bits
    SymbolCode,     // the symbol character's code
    SymbolTable,    // '/' for the primary table, '\\' for the alternate one
    Address,        // an address entry: six characters, then the SSID as "0" + n
    SourceAddress,  // an Address that ends the address list when there is no path
    DigipeaterPath, // two address entries and the 0 that ends the address list
    ZeroEndedText,  // the text's bytes, then a 0
};

// Where a setting's value stands in the 114-byte configuration image: its
// bytes, and within a byte shared with other settings its bits.
struct ImagePlace {
    std::size_t offset = 0;
    std::size_t bytes = 0;
    int firstBit = 0; // 0 is the lowest bit
    int bits = 0;
    ImageCodec codec = ImageCodec::Unplaced;

    constexpr bool inImage() const {
        return codec != ImageCodec::NotInImage && codec != ImageCodec::Unplaced;
    }
    // Whether the place is some bits of one byte rather than whole bytes.
    constexpr bool isPacked() const { return bits < 8 * static_cast<int>(bytes); }
    // The largest number the place's bits hold.
    constexpr long highestInBits() const { return (1L << bits) - 1; }
};

constexpr ImagePlace InByte(std::size_t offset, ImageCodec codec) {
    return {offset, 1, 0, 8, codec};
}
constexpr ImagePlace InBytes(std::size_t offset, std::size_t bytes, ImageCodec codec) {
    return {offset, bytes, 0, static_cast<int>(8 * bytes), codec};
}
constexpr ImagePlace InBits(std::size_t offset, int firstBit, int bits, ImageCodec codec) {
    return {offset, 1, firstBit, bits, codec};
}
inline constexpr ImagePlace kNotInImage = {0, 0, 0, 0, ImageCodec::NotInImage};

// The two bytes that pack several settings, declared here because the
// settings file packs the same numbers (FileCodec MessageFlags and StatusRate).
// Byte 2: the Mic-E index in bits 0 to 3, the auto-reply box in bits 4 and 5
// (greyed, state 2, sets bit 5). Byte 15: the status-text interval in bits 0
// to 6, chkRxPosition in bit 7.
inline constexpr ImagePlace kMicEIndexPlace = InBits(2, 0, 4, ImageCodec::State);
inline constexpr ImagePlace kAutoReplyPlace = InBits(2, 4, 2, ImageCodec::State);
inline constexpr ImagePlace kStatusRatePlace = InBits(15, 0, 7, ImageCodec::CappedCount);
inline constexpr ImagePlace kRxPositionPlace = InBits(15, 7, 1, ImageCodec::State);

// The frames of the main window that hold settings; Programming stays last,
// the window counts them by it.
enum class WindowFrame { Main, ManualTiming, Gps, AutomaticTiming, Message, Programming };

// A rectangle in twips (1/1440 inch), within its frame.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Where a setting's control stands in the main window.
struct FormPlace {
    WindowFrame frame = WindowFrame::Main;
    TwipsRect control = {};
    // The object name and place of the label that carries the caption; no name
    // for a check box, which carries its caption itself.
    std::string_view labelName = {};
    TwipsRect label = {};
    int tabIndex = 0; // from 1: the field's place in the window's tab order
};

// One row of the field table: everything the program knows about a setting.
struct FieldTraits {
    Field field;
    std::string_view name; // control name, e.g. "edMyCall", "esSpeedTable(2)"
    FieldKind kind;
    std::string_view mask;        // "999", "9999", "&", "#"; empty for an unmasked field
    int maxLength;                // length limit of a text field (equals the mask's length)
    std::string_view defaultText; // factory default of a text field
    int defaultValue;             // factory default of a check box or the list
    std::string_view caption;     // caption of the control or of its label in the window
    KeyFilter keyFilter;          // filter of typed characters (unmasked fields only)
    bool selectOnFocus;           // the whole text is selected when the field gets the focus
    bool hidesLeadingZeros;       // display format "0": without focus, no leading zeros
    // Caption of the frame around the control, for messages, where the caption
    // alone says too little ("Every"); empty otherwise.
    std::string_view frame = {};
    // What a screen reader says of the field besides its caption: the unit of
    // a number ("milliseconds"), the range it takes where neither the image's
    // codec nor the mask sets it (0 to 0: the highest value SEND takes, from the
    // image codec, HighestSent), the second line of a caption shown in a label
    // of its own ("/ GPSless bcn") and a hint.
    std::string_view unit = {};
    int lowest = 0;
    int highest = 0;
    std::string_view captionNote = {};
    std::string_view hint = {};
    // The field's step (1 to kFieldCount) when SetDefaults writes the factory
    // defaults: each field has its own.
    int defaultsStep = 0;
    FilePlace file = {};
    ImagePlace image = {};
    FormPlace form = {};

    bool isText() const { return kind == FieldKind::Text; }
    bool isMasked() const { return !mask.empty(); }
    bool isNumeric() const { return isMasked() && mask != "&"; }
};

} // namespace korvel
