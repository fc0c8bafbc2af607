#pragma once

#include "settings/FieldTable.h"

#include <string>

namespace korvel {

// Why a field refused a value, or why a step that concerns one field failed.
// Texts quoted in `reason` are in the tracker's code page, like the fields.
struct FieldError {
    Field field;
    std::string reason; // e.g. "'12' does not fit the field", "empty"

    // "edComm: '12' does not fit the field"
    std::string message() const { return std::string(TraitsOf(field).name) + ": " + reason; }

    friend bool operator==(const FieldError&, const FieldError&) = default;
};

} // namespace korvel
