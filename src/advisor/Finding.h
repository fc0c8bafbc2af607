#pragma once

#include "settings/Field.h"

#include <string>
#include <string_view>
#include <vector>

namespace korvel {

enum class Severity {
    Error,   // SEND refuses the settings: nothing goes to the tracker
    Warning, // what the tracker will transmit is probably not what the operator means
    Note,    // worth knowing
};

// "error", "warning" or "note".
std::string_view SeverityName(Severity severity);

// One piece of advice about one setting. Texts are in the tracker's code page,
// like the settings they quote.
struct Finding {
    Field field;
    std::string caption; // the caption the window shows (CaptionOf)
    Severity severity;
    std::string message; // one sentence: what happens on the air, and what to do

    friend bool operator==(const Finding&, const Finding&) = default;
};

using Findings = std::vector<Finding>;

} // namespace korvel
