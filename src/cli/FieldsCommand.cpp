#include "cli/Commands.h"

#include <iostream>

namespace korvel::cli {

int RunFields(Arguments) {
    std::cerr << "korvel-config fields: not available yet\n";
    return 2;
}

} // namespace korvel::cli
