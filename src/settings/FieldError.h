#pragma once

#include "settings/FieldTable.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace korvel {

// Why a field refused a value, or why a step that concerns one field failed.
// Texts quoted in `reason` are in the tracker's code page, like the fields.
struct FieldError {
    Field field;
    std::string reason; // e.g. "'12' does not fit the field", "empty"

    // The field named by the caption the window shows (CaptionOf):
    // "TX DELAY: 1000 does not fit 3 digits", "Comm num: '12' does not fit the field".
    std::string message() const { return CaptionOf(field) + ": " + reason; }

    // The caption and the control name, for the command line, whose --set takes
    // the name: "TX DELAY (edNumFlagsAuto): 1000 does not fit 3 digits".
    std::string messageWithName() const {
        return CaptionOf(field) + " (" + std::string(TraitsOf(field).name) + "): " + reason;
    }

    friend bool operator==(const FieldError&, const FieldError&) = default;
};

// `text` between single quotes for a message, cut after 40 bytes ("...'") so
// that a long value cannot flood it, its control bytes escaped
// (EscapeControlBytes). For code-page bytes.
std::string QuotedValue(std::string_view text);

// How many bytes of a value or an argument a message shows before it cuts it.
inline constexpr std::size_t kQuotedBytes = 40;

// `text` between single quotes with its control bytes escaped, cut after its
// first `shown` bytes ("...'") when it is longer.
std::string QuotedPrefix(std::string_view text, std::size_t shown);

} // namespace korvel
