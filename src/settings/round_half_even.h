#pragma once

#include <cmath>

namespace tessaloom {

// Rounds to the nearest integer, a half to the even neighbour (1.5 -> 2, 2.5 -> 2), whatever
// the floating-point rounding mode happens to be.
inline double roundHalfEven(double x)
{
    const double lower = std::floor(x);
    const double fraction = x - lower;
    if (fraction < 0.5)
        return lower;
    if (fraction > 0.5)
        return lower + 1;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

} // namespace tessaloom
