#pragma once

#include "advisor/Finding.h"

#include <ostream>
#include <string>

namespace korvel::cli {

// "warning: MY CALLSIGN: The tracker will transmit as NOCALL-9, ..." (UTF-8),
// one finding a line; with `warningsOnly`, the notes are left out.
void PrintFindings(std::ostream& out, const Findings& findings, bool warningsOnly = false);

// The findings as a JSON array of {"field", "caption", "severity", "message"},
// every text converted from the tracker's code page and escaped by Qt's JSON writer.
std::string FindingsJson(const Findings& findings);

} // namespace korvel::cli
