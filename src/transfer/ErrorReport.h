#pragma once

#include <string>

namespace korvel {

// Where a blocking transfer reports its failure: a message box in the window,
// standard error on the command line.
class ErrorReport {
public:
    virtual ~ErrorReport() = default;
    virtual void report(const std::string& message) = 0;
};

} // namespace korvel
