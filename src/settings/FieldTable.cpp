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

// The field's step when the factory defaults are written.
constexpr FieldTraits DefaultAt(int step, FieldTraits traits) {
    traits.defaultsStep = step;
    return traits;
}

constexpr std::array<FieldTraits, kFieldCount> kTable = {{
    DefaultAt(
        2, Spoken(Number(Field::edNumFlagsAuto, "edNumFlagsAuto", "999", "200", "TX DELAY", true),
                  "milliseconds")),
    DefaultAt(
        5, {Field::edSymbol, "edSymbol", Text, "&", 1, ">", 0, "ICON Symbol", None, true, false}),
    DefaultAt(6, Box(Field::chkTable, "chkTable", Check, 0, "Alternate Table")),
    DefaultAt(20, Free(Field::edMyCall, "edMyCall", 9, "NOCALL-9", "MY CALLSIGN", Callsign)),
    DefaultAt(
        16, Spoken(Number(Field::edBcnEvery, "edBcnEvery", "999", "003", "Status txt every", true),
                   "transmissions", 0, 127)),
    DefaultAt(21, Free(Field::edAprsPath, "edAprsPath", 19, "WIDE1-1,WIDE2-2", "APRS PATH", Path)),
    DefaultAt(22,
              Hint(Free(Field::edBeacon, "edBeacon", 26, "Korvel v2.5 by QX7ZUL Tev", "STATUS text",
                        StatusText),
                   "GPSless mode, an Acquisition timeout of 0: this text is sent as the position "
                   "beacon, with the APRS latitude and longitude",
                   "/ GPSless bcn")),
    DefaultAt(4, Box(Field::cbMicEMsg, "cbMicEMsg", ListIndex, 0, "Mic-E msg")),
    DefaultAt(7, Box(Field::chkRxPosition, "chkRxPosition", Check, 0,
                     "Disable display position of received stations")),
    DefaultAt(15, Spoken(Number(Field::edManualTime, "edManualTime", "9999", "0120", "Every", true,
                                "Manual Timing"),
                         "seconds")),
    DefaultAt(17, Spoken(Number(Field::edGpsCheckTime, "edGpsCheckTime", "999", "100",
                                "Acquisition interval", true),
                         "seconds")),
    DefaultAt(18, Hint(Spoken(Number(Field::edGpsAcqTime, "edGpsAcqTime", "999", "025",
                                     "Acquisition timeout", false),
                              "tenths of a second", 0, 255),
                       "0 selects GPSless mode: the STATUS text is sent as the position beacon")),
    DefaultAt(8, Spoken(Number(Field::esSpeedTable0, "esSpeedTable(0)", "9999", "0480",
                               "Speed 0-3 Km/h", true),
                        "seconds")),
    DefaultAt(9, Spoken(Number(Field::esSpeedTable1, "esSpeedTable(1)", "9999", "0360",
                               "Speed 4-9 Km/h", true),
                        "seconds")),
    DefaultAt(10, Spoken(Number(Field::esSpeedTable2, "esSpeedTable(2)", "999", "250",
                                "Speed 10-22 Km/h", true),
                         "seconds")),
    DefaultAt(11, Spoken(Number(Field::esSpeedTable3, "esSpeedTable(3)", "999", "180",
                                "Speed 23-40 Km/h", true),
                         "seconds")),
    DefaultAt(12, Spoken(Number(Field::esSpeedTable4, "esSpeedTable(4)", "999", "130",
                                "Speed 41-72 Km/h", true),
                         "seconds")),
    DefaultAt(13, Spoken(Number(Field::esSpeedTable5, "esSpeedTable(5)", "999", "110",
                                "Speed 73-125 Km/h", true),
                         "seconds")),
    DefaultAt(14, Spoken(Number(Field::esSpeedTable6, "esSpeedTable(6)", "999", "090",
                                "Speed > 125 Km/h", true),
                         "seconds")),
    DefaultAt(19, Free(Field::edReceiver, "edReceiver", 9, "QKORVL", "Unprotocol call", Callsign)),
    DefaultAt(3,
              Spoken(Number(Field::edMsgRepeat, "edMsgRepeat", "999", "006", "Msg Retries", true),
                     "retries", 0, 255)),
    DefaultAt(23,
              Free(Field::edDestCall, "edDestCall", 9, "NOCALL", "APRS message TO CALL", Callsign)),
    DefaultAt(24, Free(Field::edAprsMsg, "edAprsMsg", 34, "Message sent using Korvel ver 2.5!",
                       "Message", MessageText)),
    DefaultAt(25, Box(Field::chkAutoReply, "chkAutoReply", Check, 0,
                      "Auto send message when receiving msg to MYCALL")),
    DefaultAt(1, Spoken(Number(Field::edComm, "edComm", "#", "1", "Comm num:", true),
                        "serial port number", 1, 9)),
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

} // namespace

std::span<const FieldTraits> AllFields() {
    return kTable;
}

std::span<const Field> DefaultsOrder() {
    return kDefaultsOrder;
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
