#include "image/RoundHalfEven.h"

#include <cmath>

namespace korvel {

// The default floating-point rounding mode rounds to nearest, ties to even,
// and nothing in the program changes it.
long RoundHalfEven(double x) {
    return static_cast<long>(std::nearbyint(x));
}

} // namespace korvel
