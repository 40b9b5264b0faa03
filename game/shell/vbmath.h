// SPDX-License-Identifier: GPL-3.0-or-later
// The number rules the game's arithmetic was written for: rounding half to
// even, Int as floor, single-precision fields, and wrap-safe ticks.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace game {

// Nearest integer, halves to the even neighbour, saturated to 32 bits.
inline int32_t roundHalfEven(double x) {
    if (std::isnan(x)) return 0;
    double r = std::nearbyint(x);  // the default rounding mode is to nearest, ties to even
    if (r >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (r <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

// Int(x): the largest integer not above x.
inline double vbInt(double x) { return std::floor(x); }
inline int32_t vbIntI(double x) {
    double f = std::floor(x);
    if (f >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (f <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(f);
}

// Ticks are 32-bit and wrap; sums and differences are taken modulo 2^32 and a
// difference is read as signed, so ages stay right across the wrap.
inline int32_t tickDiff(int32_t later, int32_t earlier) {
    return static_cast<int32_t>(static_cast<uint32_t>(later) - static_cast<uint32_t>(earlier));
}
inline int32_t tickAdd(int32_t tick, int32_t ms) {
    return static_cast<int32_t>(static_cast<uint32_t>(tick) + static_cast<uint32_t>(ms));
}
// a > b for ticks close to each other.
inline bool tickAfter(int32_t a, int32_t b) { return tickDiff(a, b) > 0; }

}  // namespace game
