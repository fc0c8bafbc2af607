#include "settings/RoundHalfEven.h"

#include <cmath>

namespace korvel {

// Worked out from the floor rather than with the floating-point rounding mode,
// so that nothing that changes the mode can change the result.
double RoundHalfEven(double x) {
    if (!std::isfinite(x)) {
        return x;
    }
    const double floor = std::floor(x);
    const double fraction = x - floor;
    if (fraction < 0.5) {
        return floor;
    }
    if (fraction > 0.5) {
        return floor + 1;
    }
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1;
}

} // namespace korvel
