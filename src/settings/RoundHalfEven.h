#pragma once

namespace korvel {

// `x` rounded to the nearest whole number, ties to the even neighbour (4.5
// gives 4, 5.5 gives 6, 255.5 gives 256), in double precision. Infinities stay
// as they are, so that a range check after it refuses them.
double RoundHalfEven(double x);

} // namespace korvel
