#pragma once
#include <cmath>

// Millimetre values become canvas units with the rounding the drawing has always used:
// nearest integer, halves to the even neighbour (rnd(2.5) = 2, rnd(3.5) = 4).
inline int rnd(double v) {
    return static_cast<int>(std::nearbyint(v));
}
