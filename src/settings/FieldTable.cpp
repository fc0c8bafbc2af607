#include "settings/FieldTable.h"

#include "image/ConfigImage.h"
#include "image/ImageNumbers.h"

namespace korvel {
namespace {

using enum FieldKind;
using enum KeyFilter;
using enum FileCodec;
using enum WindowFrame;
using enum ImageCodec;

// Builders that keep the table below one readable line per field.
constexpr FieldTraits Number(Field f, std::string_view name, std::string_view mask,
                             std::string_view def, std::string_view caption, bool selectOnFocus,
                             std::string_view frame = {}) {
    return {f,    name,          Text, mask, static_cast<int>(mask.size()), def, 0, caption,
            None, selectOnFocus, true, frame};
}

constexpr FieldTraits Free(Field f, std::string_view name, int limit, std::string_view def,
                           std::string_view caption, KeyFilter filter) {
    return {f, name, Text, "", limit, def, 0, caption, filter, false, false};
}

constexpr FieldTraits Box(Field f, std::string_view name, FieldKind kind, int def,
                          std::string_view caption) {
    return {f, name, kind, "", 0, "", def, caption, None, false, false};
}

// The words a screen reader adds to the caption, kept beside the row.
constexpr FieldTraits Spoken(FieldTraits traits, std::string_view unit, int lowest = 0,
                             int highest = 0) {
    traits.unit = unit;
    traits.lowest = lowest;
    traits.highest = highest;
    return traits;
}

constexpr FieldTraits Hint(FieldTraits traits, std::string_view hint,
                           std::string_view captionNote = {}) {
    traits.hint = hint;
    traits.captionNote = captionNote;
    return traits;
}

constexpr FilePlace kNotInFile = {};
// A check box whose state goes into the number of another field (the codecs
// MessageFlags and StatusRate): it has no value of its own in the file.
constexpr FilePlace kPackedInAnother = {};

// A row: the field's step when the factory defaults are written, its place in
// the settings file, its place in the configuration image, its place in the main window, and the
// rest of its traits.
constexpr FieldTraits Row(int defaultsStep, FilePlace file, ImagePlace image, FormPlace form,
                          FieldTraits traits) {
    traits.defaultsStep = defaultsStep;
    traits.file = file;
    traits.image = image;
    traits.form = form;
    return traits;
}

// Row(defaults step, {file line, place, group, codec}, image place,
//     {frame, control's rectangle, label's name, label's rectangle, tab index}, traits)
constexpr std::array<FieldTraits, kFieldCount> kTable = {{
    Row(2, {1, 2, 1, QuotedText}, InByte(0, TxDelay),
        {Main, {1200, 240, 400, 255}, "Label8", {120, 250, 855, 255}, 1},
        Spoken(Number(Field::edNumFlagsAuto, "edNumFlagsAuto", "999", "200", "TX DELAY", true),
               "milliseconds")),
    Row(5, {1, 5, 1, QuotedText}, InByte(3, SymbolCode),
        {Main, {1200, 600, 255, 255}, "Label7", {120, 610, 975, 255}, 3},
        {Field::edSymbol, "edSymbol", Text, "&", 1, ">", 0, "ICON Symbol", None, true, false}),
    Row(6, {1, 6, 1, PlainValue}, InByte(4, SymbolTable), {Main, {1600, 600, 1455, 255}, {}, {}, 4},
        Box(Field::chkTable, "chkTable", Check, 0, "Alternate Table")),
    Row(20, {9, 5, 3, QuotedText}, InBytes(23, 7, SourceAddress),
        {Main, {1200, 960, 1095, 255}, "Label4", {120, 980, 1095, 255}, 5},
        Free(Field::edMyCall, "edMyCall", 9, "NOCALL-9", "MY CALLSIGN", Callsign)),
    Row(16, {9, 2, 3, StatusRate}, kStatusRatePlace,
        {Main, {3555, 960, 390, 255}, "Label30", {2415, 960, 1215, 255}, 6},
        Spoken(Number(Field::edBcnEvery, "edBcnEvery", "999", "003", "Status txt every", true),
               "transmissions")),
    Row(21, {9, 6, 3, QuotedText}, InBytes(30, 15, DigipeaterPath),
        {Main, {1200, 1320, 1695, 255}, "Label5", {120, 1330, 975, 255}, 7},
        Free(Field::edAprsPath, "edAprsPath", 19, "WIDE1-1,WIDE2-2", "APRS PATH", Path)),
    Row(22, {9, 7, 3, QuotedText}, InBytes(45, 27, ZeroEndedText),
        {Main, {1200, 1680, 2750, 255}, "Label6", {120, 1630, 1095, 165}, 8},
        Hint(Free(Field::edBeacon, "edBeacon", 26, "Korvel v2.5 by QX7ZUL Tev", "STATUS text",
                  StatusText),
             "GPSless mode, an Acquisition timeout of 0: this text is sent as the position "
             "beacon, with the APRS latitude and longitude",
             "/ GPSless bcn")),
    Row(4, {1, 4, 1, MessageFlags}, kMicEIndexPlace,
        {Main, {3000, 240, 1095, 285}, "Label12", {2160, 255, 855, 255}, 2},
        Box(Field::cbMicEMsg, "cbMicEMsg", ListIndex, 0, "Mic-E msg")),
    Row(7, kPackedInAnother, kRxPositionPlace, {Main, {480, 1980, 3375, 255}, {}, {}, 24},
        Box(Field::chkRxPosition, "chkRxPosition", Check, 0,
            "Disable display position of received stations")),
    Row(15, {9, 1, 3, QuotedText}, InByte(13, Interval),
        {ManualTiming, {540, 255, 525, 255}, "Label15", {80, 250, 495, 255}, 9},
        Spoken(Number(Field::edManualTime, "edManualTime", "9999", "0120", "Every", true,
                      "Manual Timing"),
               "seconds")),
    Row(17, kNotInFile, InByte(5, Interval),
        {Gps, {570, 480, 420, 255}, "Label36", {60, 240, 1335, 225}, 17},
        Spoken(Number(Field::edGpsCheckTime, "edGpsCheckTime", "999", "100", "Acquisition interval",
                      true),
               "seconds")),
    Row(18, {9, 3, 3, QuotedText}, InByte(14, GpsTimeout),
        {Gps, {120, 1065, 405, 255}, "Label9", {60, 840, 1335, 225}, 18},
        Hint(Spoken(Number(Field::edGpsAcqTime, "edGpsAcqTime", "999", "025", "Acquisition timeout",
                           false),
                    "tenths of a second"),
             "0 selects GPSless mode: the STATUS text is sent as the position beacon")),
    Row(8, {2, 1, 2, QuotedText}, InByte(6, Interval),
        {AutomaticTiming, {1485, 240, 540, 255}, "Label22", {120, 240, 1455, 255}, 10},
        Spoken(
            Number(Field::esSpeedTable0, "esSpeedTable(0)", "9999", "0480", "Speed 0-3 Km/h", true),
            "seconds")),
    Row(9, {3, 1, 2, QuotedText}, InByte(7, Interval),
        {AutomaticTiming, {1485, 480, 540, 255}, "Label23", {120, 480, 1455, 255}, 11},
        Spoken(
            Number(Field::esSpeedTable1, "esSpeedTable(1)", "9999", "0360", "Speed 4-9 Km/h", true),
            "seconds")),
    Row(10, {4, 1, 2, QuotedText}, InByte(8, Interval),
        {AutomaticTiming, {1600, 720, 425, 255}, "Label24", {120, 720, 1455, 255}, 12},
        Spoken(
            Number(Field::esSpeedTable2, "esSpeedTable(2)", "999", "250", "Speed 10-22 Km/h", true),
            "seconds")),
    Row(11, {5, 1, 2, QuotedText}, InByte(9, Interval),
        {AutomaticTiming, {1600, 960, 425, 255}, "Label25", {120, 960, 1455, 255}, 13},
        Spoken(
            Number(Field::esSpeedTable3, "esSpeedTable(3)", "999", "180", "Speed 23-40 Km/h", true),
            "seconds")),
    Row(12, {6, 1, 2, QuotedText}, InByte(10, Interval),
        {AutomaticTiming, {1600, 1200, 425, 255}, "Label26", {120, 1200, 1455, 255}, 14},
        Spoken(
            Number(Field::esSpeedTable4, "esSpeedTable(4)", "999", "130", "Speed 41-72 Km/h", true),
            "seconds")),
    Row(13, {7, 1, 2, QuotedText}, InByte(11, Interval),
        {AutomaticTiming, {1600, 1440, 425, 255}, "Label27", {120, 1440, 1455, 255}, 15},
        Spoken(Number(Field::esSpeedTable5, "esSpeedTable(5)", "999", "110", "Speed 73-125 Km/h",
                      true),
               "seconds")),
    Row(14, {8, 1, 2, QuotedText}, InByte(12, Interval),
        {AutomaticTiming, {1600, 1680, 425, 255}, "Label28", {120, 1680, 1455, 255}, 16},
        Spoken(
            Number(Field::esSpeedTable6, "esSpeedTable(6)", "999", "090", "Speed > 125 Km/h", true),
            "seconds")),
    Row(19, {9, 4, 3, QuotedText}, InBytes(16, 7, Address),
        {Message, {1320, 240, 975, 255}, "Label13", {120, 250, 1575, 255}, 19},
        Free(Field::edReceiver, "edReceiver", 9, "QKORVL", "Unprotocol call", Callsign)),
    Row(3, {1, 3, 1, QuotedText}, InByte(1, Count),
        {Message, {3600, 240, 400, 255}, "Label31", {2700, 250, 975, 255}, 20},
        Spoken(Number(Field::edMsgRepeat, "edMsgRepeat", "999", "006", "Msg Retries", true),
               "retries")),
    Row(23, {9, 8, 3, QuotedText}, InBytes(72, 7, Address),
        {Message, {2040, 570, 1095, 255}, "Label2", {120, 590, 1815, 255}, 21},
        Free(Field::edDestCall, "edDestCall", 9, "NOCALL", "APRS message TO CALL", Callsign)),
    Row(24, {9, 9, 3, QuotedText}, InBytes(79, 35, ZeroEndedText),
        {Message, {800, 915, 3340, 255}, "Label3", {120, 930, 1095, 255}, 22},
        Free(Field::edAprsMsg, "edAprsMsg", 34, "Message sent using Korvel ver 2.5!", "Message",
             MessageText)),
    Row(25, kPackedInAnother, kAutoReplyPlace, {Message, {120, 1200, 4000, 255}, {}, {}, 25},
        Box(Field::chkAutoReply, "chkAutoReply", Check, 0,
            "Auto send message when receiving msg to MYCALL")),
    Row(1, {1, 1, 1, QuotedText}, kNotInImage,
        {Programming, {1080, 810, 255, 255}, "Label1", {120, 810, 855, 255}, 23},
        Spoken(Number(Field::edComm, "edComm", "#", "1", "Comm num:", true), "serial port number",
               1, 9)),
}};

constexpr bool TableIsInEnumOrder() {
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        if (FieldIndex(kTable[i].field) != i) {
            return false;
        }
    }
    return true;
}
static_assert(TableIsInEnumOrder(), "the field table must follow the order of enum Field");

constexpr bool EachFieldHasADefaultsStepOfItsOwn() {
    std::array<bool, kFieldCount> taken{};
    for (const FieldTraits& traits : kTable) {
        const auto step = static_cast<std::size_t>(traits.defaultsStep);
        if (step < 1 || step > kFieldCount || taken[step - 1]) {
            return false;
        }
        taken[step - 1] = true;
    }
    return true;
}
static_assert(EachFieldHasADefaultsStepOfItsOwn(),
              "each field needs a defaults step of its own, from 1 to kFieldCount");

constexpr std::array<Field, kFieldCount> SortByDefaultsStep() {
    std::array<Field, kFieldCount> order{};
    for (const FieldTraits& traits : kTable) {
        order[static_cast<std::size_t>(traits.defaultsStep) - 1] = traits.field;
    }
    return order;
}
constexpr std::array<Field, kFieldCount> kDefaultsOrder = SortByDefaultsStep();

constexpr bool EachFieldHasATabIndexOfItsOwn() {
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        for (std::size_t j = i + 1; j < kTable.size(); ++j) {
            if (kTable[i].form.tabIndex == kTable[j].form.tabIndex) {
                return false;
            }
        }
    }
    return true;
}
static_assert(EachFieldHasATabIndexOfItsOwn(), "each field needs a tab index of its own");

constexpr bool InFile(const FieldTraits& traits) {
    return traits.file.codec != NotInFile;
}

constexpr bool Before(const FilePlace& a, const FilePlace& b) {
    return a.line < b.line || (a.line == b.line && a.place < b.place);
}

constexpr std::size_t CountInFile() {
    std::size_t count = 0;
    for (const FieldTraits& traits : kTable) {
        count += InFile(traits) ? 1 : 0;
    }
    return count;
}

constexpr std::array<Field, CountInFile()> SortByFilePlace() {
    std::array<Field, CountInFile()> order{};
    std::size_t count = 0;
    for (const FieldTraits& traits : kTable) {
        if (!InFile(traits)) {
            continue;
        }
        std::size_t i = count++;
        for (; i > 0 && Before(traits.file, kTable[FieldIndex(order[i - 1])].file); --i) {
            order[i] = order[i - 1];
        }
        order[i] = traits.field;
    }
    return order;
}
constexpr auto kFileOrder = SortByFilePlace();

// Lines and places without gaps or doubles, and groups that follow each other,
// so that the writer and the reader can walk the file order alone.
constexpr bool FilePlacesFollowEachOther() {
    FilePlace previous = {1, 0, 1, NotInFile};
    for (Field field : kFileOrder) {
        const FilePlace& place = kTable[FieldIndex(field)].file;
        const bool onSameLine = place.line == previous.line && place.place == previous.place + 1;
        const bool onNextLine = place.line == previous.line + 1 && place.place == 1;
        const bool groupFollows =
            place.group == previous.group || place.group == previous.group + 1;
        if (!(onSameLine || onNextLine) || !groupFollows) {
            return false;
        }
        previous = place;
    }
    return true;
}
static_assert(
    FilePlacesFollowEachOther(),
    "the settings file's places must follow each other line by line, from line 1 place 1");

// Files written before a newer place end right before it: the newer places come
// after every other, each group of them from the start of a line.
constexpr bool NewerPlacesComeLast() {
    bool newerSeen = false;
    FilePlace previous = {};
    for (Field field : kFileOrder) {
        const FilePlace& place = kTable[FieldIndex(field)].file;
        if (place.newer && place.group != previous.group && place.place != 1) {
            return false;
        }
        if (newerSeen && !place.newer) {
            return false;
        }
        newerSeen = newerSeen || place.newer;
        previous = place;
    }
    return true;
}
static_assert(NewerPlacesComeLast(),
              "newer file places come after all others, each group from the start of a line");

constexpr bool EachFieldIsPlacedInTheImageOrMarkedNot() {
    for (const FieldTraits& traits : kTable) {
        if (traits.image.codec == Unplaced) {
            return false;
        }
    }
    return true;
}
static_assert(EachFieldIsPlacedInTheImageOrMarkedNot(),
              "each field needs an image place, or kNotInImage");

constexpr bool EachPlaceLiesWithinTheImage() {
    for (const FieldTraits& traits : kTable) {
        const ImagePlace& place = traits.image;
        if (place.inImage() && (place.bytes == 0 || place.offset + place.bytes > kImageSize ||
                                place.bits <= 0 || place.firstBit < 0 ||
                                place.firstBit + place.bits > 8 * static_cast<int>(place.bytes))) {
            return false;
        }
    }
    return true;
}
static_assert(EachPlaceLiesWithinTheImage(), "an image place must lie within the 114 bytes");

constexpr bool NoTwoFieldsShareABit() {
    std::array<bool, 8 * kImageSize> taken{};
    for (const FieldTraits& traits : kTable) {
        const ImagePlace& place = traits.image;
        if (!place.inImage()) {
            continue;
        }
        const std::size_t first = 8 * place.offset + static_cast<std::size_t>(place.firstBit);
        for (std::size_t bit = first; bit < first + static_cast<std::size_t>(place.bits); ++bit) {
            if (taken[bit]) {
                return false;
            }
            taken[bit] = true;
        }
    }
    return true;
}
static_assert(NoTwoFieldsShareABit(), "two fields' image places share a bit");

// The codecs that write more than one byte need exactly their room: an address
// entry of 7 bytes, the path's two entries and its end, a text and its 0.
constexpr bool PlacesFitTheirCodecs() {
    for (const FieldTraits& traits : kTable) {
        const ImagePlace& place = traits.image;
        const std::size_t room = place.codec == Address || place.codec == SourceAddress ? 7
                                 : place.codec == DigipeaterPath                        ? 15
                                 : place.codec == ZeroEndedText
                                     ? static_cast<std::size_t>(traits.maxLength) + 1
                                     : 1;
        if (place.inImage() && place.bytes != room) {
            return false;
        }
    }
    return true;
}
static_assert(PlacesFitTheirCodecs(), "an image place does not fit its codec");

constexpr bool ImageBefore(const ImagePlace& a, const ImagePlace& b) {
    return a.offset < b.offset || (a.offset == b.offset && a.firstBit < b.firstBit);
}

constexpr std::size_t CountInImage() {
    std::size_t count = 0;
    for (const FieldTraits& traits : kTable) {
        count += traits.image.inImage() ? 1 : 0;
    }
    return count;
}

constexpr std::array<Field, CountInImage()> SortByImagePlace() {
    std::array<Field, CountInImage()> order{};
    std::size_t count = 0;
    for (const FieldTraits& traits : kTable) {
        if (!traits.image.inImage()) {
            continue;
        }
        std::size_t i = count++;
        for (; i > 0 && ImageBefore(traits.image, kTable[FieldIndex(order[i - 1])].image); --i) {
            order[i] = order[i - 1];
        }
        order[i] = traits.field;
    }
    return order;
}
constexpr auto kImageOrder = SortByImagePlace();

} // namespace

std::span<const FieldTraits> AllFields() {
    return kTable;
}

std::span<const Field> DefaultsOrder() {
    return kDefaultsOrder;
}

std::span<const Field> SavedFields() {
    return kFileOrder;
}

std::span<const Field> ImageOrder() {
    return kImageOrder;
}

const FieldTraits& TraitsOf(Field field) {
    return kTable.at(FieldIndex(field));
}

std::string CaptionOf(Field field) {
    const FieldTraits& traits = TraitsOf(field);
    std::string_view caption = traits.caption;
    if (caption.ends_with(':')) {
        caption.remove_suffix(1);
    }
    if (traits.frame.empty()) {
        return std::string(caption);
    }
    return std::string(traits.frame) + " " + std::string(caption);
}

std::string AccessibleNameOf(Field field) {
    const FieldTraits& traits = TraitsOf(field);
    std::string_view caption = traits.caption;
    if (caption.ends_with(':')) {
        caption.remove_suffix(1);
    }
    std::string name(caption);
    if (!traits.frame.empty()) {
        name = std::string(traits.frame) + ": " + name;
    }
    if (!traits.captionNote.empty()) {
        name += " " + std::string(traits.captionNote);
    }
    return name;
}

std::string DescriptionOf(Field field) {
    const FieldTraits& traits = TraitsOf(field);
    if (traits.kind == FieldKind::Check) {
        return "ticked or clear";
    }
    if (traits.kind == FieldKind::ListIndex) {
        return std::to_string(kMicEEntries.size()) + " messages, " +
               std::string(kMicEEntries.front()) + " to " + std::string(kMicEEntries.back());
    }
    std::string range;
    if (traits.isNumeric()) {
        const long highest = traits.highest != 0 ? traits.highest : HighestSent(traits);
        range = std::to_string(traits.lowest) + " to " + std::to_string(highest);
    } else if (traits.maxLength == 1) {
        range = "one character";
    } else {
        range = "up to " + std::to_string(traits.maxLength) + " characters";
    }
    std::string description = traits.unit.empty() ? range : std::string(traits.unit) + ", " + range;
    if (!traits.hint.empty()) {
        description += ". " + std::string(traits.hint);
    }
    return description;
}

std::optional<Field> FindField(std::string_view name) {
    for (const FieldTraits& traits : kTable) {
        if (traits.name == name) {
            return traits.field;
        }
    }
    return std::nullopt;
}

} // namespace korvel
