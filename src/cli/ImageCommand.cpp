#include "cli/Commands.h"

#include <iostream>

namespace korvel::cli {

int RunImage(Arguments) {
    std::cerr << "korvel-config image: not available yet\n";
    return 2;
}

} // namespace korvel::cli
