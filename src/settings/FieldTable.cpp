#include "settings/FieldTable.h"

namespace korvel {
namespace {

using enum FieldKind;
using enum KeyFilter;

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

constexpr std::array<FieldTraits, kFieldCount> kTable = {{
    Spoken(Number(Field::edNumFlagsAuto, "edNumFlagsAuto", "999", "200", "TX DELAY", true),
           "milliseconds"),
    {Field::edSymbol, "edSymbol", Text, "&", 1, ">", 0, "ICON Symbol", None, true, false},
    Box(Field::chkTable, "chkTable", Check, 0, "Alternate Table"),
    Free(Field::edMyCall, "edMyCall", 9, "NOCALL-9", "MY CALLSIGN", Callsign),
    Spoken(Number(Field::edBcnEvery, "edBcnEvery", "999", "003", "Status txt every", true),
           "transmissions", 0, 127),
    Free(Field::edAprsPath, "edAprsPath", 19, "WIDE1-1,WIDE2-2", "APRS PATH", Path),
    Hint(Free(Field::edBeacon, "edBeacon", 26, "Korvel v2.5 by QX7ZUL Tev", "STATUS text",
              StatusText),
         "GPSless mode, an Acquisition timeout of 0: this text is sent as the position "
         "beacon, with the APRS latitude and longitude",
         "/ GPSless bcn"),
    Box(Field::cbMicEMsg, "cbMicEMsg", ListIndex, 0, "Mic-E msg"),
    Box(Field::chkRxPosition, "chkRxPosition", Check, 0,
        "Disable display position of received stations"),
    Spoken(
        Number(Field::edManualTime, "edManualTime", "9999", "0120", "Every", true, "Manual Timing"),
        "seconds"),
    Spoken(
        Number(Field::edGpsCheckTime, "edGpsCheckTime", "999", "100", "Acquisition interval", true),
        "seconds"),
    Hint(Spoken(Number(Field::edGpsAcqTime, "edGpsAcqTime", "999", "025", "Acquisition timeout",
                       false),
                "tenths of a second", 0, 255),
         "0 selects GPSless mode: the STATUS text is sent as the position beacon"),
    Spoken(Number(Field::esSpeedTable0, "esSpeedTable(0)", "9999", "0480", "Speed 0-3 Km/h", true),
           "seconds"),
    Spoken(Number(Field::esSpeedTable1, "esSpeedTable(1)", "9999", "0360", "Speed 4-9 Km/h", true),
           "seconds"),
    Spoken(Number(Field::esSpeedTable2, "esSpeedTable(2)", "999", "250", "Speed 10-22 Km/h", true),
           "seconds"),
    Spoken(Number(Field::esSpeedTable3, "esSpeedTable(3)", "999", "180", "Speed 23-40 Km/h", true),
           "seconds"),
    Spoken(Number(Field::esSpeedTable4, "esSpeedTable(4)", "999", "130", "Speed 41-72 Km/h", true),
           "seconds"),
    Spoken(Number(Field::esSpeedTable5, "esSpeedTable(5)", "999", "110", "Speed 73-125 Km/h", true),
           "seconds"),
    Spoken(Number(Field::esSpeedTable6, "esSpeedTable(6)", "999", "090", "Speed > 125 Km/h", true),
           "seconds"),
    Free(Field::edReceiver, "edReceiver", 9, "QKORVL", "Unprotocol call", Callsign),
    Spoken(Number(Field::edMsgRepeat, "edMsgRepeat", "999", "006", "Msg Retries", true), "retries",
           0, 255),
    Free(Field::edDestCall, "edDestCall", 9, "NOCALL", "APRS message TO CALL", Callsign),
    Free(Field::edAprsMsg, "edAprsMsg", 34, "Message sent using Korvel ver 2.5!", "Message",
         MessageText),
    Box(Field::chkAutoReply, "chkAutoReply", Check, 0,
        "Auto send message when receiving msg to MYCALL"),
    Spoken(Number(Field::edComm, "edComm", "#", "1", "Comm num:", true), "serial port number", 1,
           9),
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

} // namespace

std::span<const FieldTraits> AllFields() {
    return kTable;
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
        int highest = traits.highest;
        if (highest == 0) {
            highest = 1;
            for (std::size_t i = 0; i < traits.mask.size(); ++i) {
                highest *= 10;
            }
            --highest;
        }
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
