#include "cli/Commands.h"

#include <iostream>

namespace korvel::cli {

int RunSave(Arguments) {
    std::cerr << "korvel-config save: not available yet\n";
    return 2;
}

} // namespace korvel::cli
