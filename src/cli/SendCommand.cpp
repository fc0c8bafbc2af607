#include "cli/Commands.h"

#include <iostream>

namespace korvel::cli {

int RunSend(Arguments) {
    std::cerr << "korvel-config send: not available yet\n";
    return 2;
}

} // namespace korvel::cli
