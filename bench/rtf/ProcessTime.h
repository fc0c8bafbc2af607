#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvel::bench {

// Runs the program `argv[0]` (looked up in PATH) with its output thrown away
// and returns the milliseconds from its start to its end; nothing when it
// cannot start or does not succeed.
std::optional<double> TimeProcess(const std::vector<std::string>& argv);

} // namespace korvel::bench
