#include "cli/Commands.h"

#include <iostream>

namespace korvel::cli {

int RunManual(Arguments) {
    std::cerr << "korvel-config manual: not available yet\n";
    return 2;
}

} // namespace korvel::cli
