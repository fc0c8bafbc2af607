#pragma once

#include "settings/Field.h"

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
};

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
    // a number ("milliseconds"), the range the tracker takes where it is
    // narrower than the mask's (0 to 0 means the mask's own), the second line
    // of a caption shown in a label of its own ("/ GPSless bcn") and a hint.
    std::string_view unit = {};
    int lowest = 0;
    int highest = 0;
    std::string_view captionNote = {};
    std::string_view hint = {};
    // The field's step (1 to kFieldCount) when SetDefaults writes the factory
    // defaults: each field has its own.
    int defaultsStep = 0;
    FilePlace file = {};
    FormPlace form = {};

    bool isText() const { return kind == FieldKind::Text; }
    bool isMasked() const { return !mask.empty(); }
    bool isNumeric() const { return isMasked() && mask != "&"; }
};

} // namespace korvel
