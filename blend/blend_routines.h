// SPDX-License-Identifier: GPL-3.0-or-later
// The per-pixel routines of pxmix over flat buffers of n pixels (bytes blue,
// green, red, X). Header-only so the benchmark and the tests can run a routine
// by itself; the library is the only place that wires them to device contexts.
//
// plain:  one byte or one pixel at a time.
// mmx:    two pixels per step with the MMX saturating and logical operations
//         (x86 only), walking from the last pair to the first.
// swar:   the same two-pixel steps in a plain 64-bit integer, for processors
//         without MMX; compiled everywhere so it is tested everywhere.
// packed: mmx where it exists, swar elsewhere.
//
// An odd pixel count leaves the last pixel to the plain arithmetic in every
// packed routine, so plain and packed agree on every colour byte.
#ifndef LANEBEAM_BLEND_ROUTINES_H
#define LANEBEAM_BLEND_ROUTINES_H

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__MMX__)
#include <mmintrin.h>
#endif

namespace pxmix {

// The pixel format is defined byte by byte in memory; the routines read a pixel
// both as bytes and as a 32-bit value, which agree only on little-endian.
static_assert(std::endian::native == std::endian::little, "pxmix needs a little-endian target");

inline constexpr uint32_t kHalfMask = 0x00FEFEFEu;
inline constexpr int kAlphaTableSize = 511;

// T[d + 255] = floor(d * alpha / 256) for d = -255..255, built by stepping.
struct AlphaTable {
    int32_t entry[kAlphaTableSize];

    explicit AlphaTable(int32_t alpha) {
        int32_t product = -255 * alpha;
        for (int32_t& e : entry) {
            e = product >> 8;
            product += alpha;
        }
    }
};

namespace plain {

inline const uint8_t* bytes(const uint32_t* p) { return reinterpret_cast<const uint8_t*>(p); }
inline uint8_t* bytes(uint32_t* p) { return reinterpret_cast<uint8_t*>(p); }

inline uint8_t addSaturated(uint8_t a, uint8_t b) {
    uint8_t sum = static_cast<uint8_t>(a + b);
    return sum < a ? uint8_t{255} : sum;  // the 8-bit add carried
}

inline uint8_t subSaturated(uint8_t a, uint8_t b) {
    uint8_t difference = static_cast<uint8_t>(a - b);
    return difference > a ? uint8_t{0} : difference;  // the 8-bit subtract borrowed
}

// One pixel each; the X byte of add, subtract and alpha is left as it was.
inline constexpr auto addPixel = [](const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t i) {
    const uint8_t* a = bytes(s1 + i);
    const uint8_t* b = bytes(s2 + i);
    uint8_t* o = bytes(out + i);
    o[0] = addSaturated(a[0], b[0]);
    o[1] = addSaturated(a[1], b[1]);
    o[2] = addSaturated(a[2], b[2]);
};

inline constexpr auto subPixel = [](const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t i) {
    const uint8_t* a = bytes(s1 + i);
    const uint8_t* b = bytes(s2 + i);
    uint8_t* o = bytes(out + i);
    o[0] = subSaturated(a[0], b[0]);
    o[1] = subSaturated(a[1], b[1]);
    o[2] = subSaturated(a[2], b[2]);
};

inline constexpr auto halfPixel = [](const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t i) {
    uint32_t a = s1[i], b = s2[i];
    out[i] = (a & b) + (((a ^ b) & kHalfMask) >> 1);
};

inline constexpr auto copyPixel = [](const uint32_t* s1, const uint32_t*, uint32_t* out, size_t i) { out[i] = s1[i]; };

inline void alphaPixel(const AlphaTable& t, const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t i) {
    const uint8_t* a = bytes(s1 + i);
    const uint8_t* b = bytes(s2 + i);
    uint8_t* o = bytes(out + i);
    for (int c = 0; c < 3; ++c) o[c] = static_cast<uint8_t>(b[c] + t.entry[a[c] - b[c] + 255]);
}

template <class Pixel>
inline void each(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n, Pixel pixel) {
    for (size_t i = 0; i < n; ++i) pixel(s1, s2, out, i);
}

// A pixel whose first source equals the key keeps what the result holds.
template <class Pixel>
inline void eachKeyed(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n, uint32_t key, Pixel pixel) {
    for (size_t i = 0; i < n; ++i)
        if (s1[i] != key) pixel(s1, s2, out, i);
}

inline void add(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n) { each(s1, s2, out, n, addPixel); }
inline void sub(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n) { each(s1, s2, out, n, subPixel); }
inline void half(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n) { each(s1, s2, out, n, halfPixel); }
inline void copy(const uint32_t* s1, uint32_t* out, size_t n) { each(s1, s1, out, n, copyPixel); }

inline void addKeyed(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n, uint32_t key) {
    eachKeyed(s1, s2, out, n, key, addPixel);
}
inline void subKeyed(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n, uint32_t key) {
    eachKeyed(s1, s2, out, n, key, subPixel);
}
inline void halfKeyed(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n, uint32_t key) {
    eachKeyed(s1, s2, out, n, key, halfPixel);
}
inline void copyKeyed(const uint32_t* s1, uint32_t* out, size_t n, uint32_t key) {
    eachKeyed(s1, s1, out, n, key, copyPixel);
}

inline void alpha(const AlphaTable& t, const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n) {
    for (size_t i = 0; i < n; ++i) alphaPixel(t, s1, s2, out, i);
}
inline void alphaKeyed(const AlphaTable& t, const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n,
                       uint32_t key) {
    for (size_t i = 0; i < n; ++i)
        if (s1[i] != key) alphaPixel(t, s1, s2, out, i);
}

}  // namespace plain

namespace swar {

inline constexpr uint64_t kHigh = 0x8080808080808080ull;
inline constexpr uint64_t kLow = 0x7F7F7F7F7F7F7F7Full;
inline constexpr uint64_t kHalfMask64 = 0x00FEFEFE00FEFEFEull;

inline uint64_t load(const uint32_t* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline void store(uint32_t* p, uint64_t v) { std::memcpy(p, &v, sizeof v); }

// 0xFF in every byte whose bit 7 is set in flags, 0 elsewhere.
inline uint64_t byteMask(uint64_t flags) { return ((flags & kHigh) >> 7) * 0xFF; }

inline uint64_t addSaturated(uint64_t a, uint64_t b) {
    uint64_t low = (a & kLow) + (b & kLow);  // carries stop at bit 7 of each byte
    uint64_t sum = low ^ ((a ^ b) & kHigh);
    uint64_t carry = (a & b) | ((a | b) & low);
    return sum | byteMask(carry);
}

inline uint64_t subSaturated(uint64_t a, uint64_t b) {
    uint64_t low = (a | kHigh) - (b & kLow);  // borrows stop at bit 7 of each byte
    uint64_t difference = low ^ (~(a ^ b) & kHigh);
    uint64_t borrow = (~a & b) | ((~a | b) & ~low);
    return difference & ~byteMask(borrow);
}

inline uint64_t halfPair(uint64_t a, uint64_t b) { return (a & b) + (((a ^ b) & kHalfMask64) >> 1); }

// All ones in each 32-bit lane equal to the key.
inline uint64_t equalLanes(uint64_t v, uint32_t key) {
    uint64_t lo = static_cast<uint32_t>(v) == key ? 0x00000000FFFFFFFFull : 0;
    uint64_t hi = static_cast<uint32_t>(v >> 32) == key ? 0xFFFFFFFF00000000ull : 0;
    return lo | hi;
}

template <class Op, class Tail>
inline void eachPair(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n, Op op, Tail tail) {
    for (size_t k = n / 2; k-- > 0;) store(out + 2 * k, op(load(s1 + 2 * k), load(s2 + 2 * k)));
    if (n & 1) tail(s1, s2, out, n - 1);
}

template <class Op, class Tail>
inline void eachPairKeyed(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n, uint32_t key, Op op,
                          Tail tail) {
    for (size_t k = n / 2; k-- > 0;) {
        uint64_t a = load(s1 + 2 * k);
        uint64_t equal = equalLanes(a, key);
        uint64_t old = load(out + 2 * k);
        store(out + 2 * k, (old & equal) | (op(a, load(s2 + 2 * k)) & ~equal));
    }
    if ((n & 1) && s1[n - 1] != key) tail(s1, s2, out, n - 1);
}

inline constexpr auto addOp = [](uint64_t a, uint64_t b) { return addSaturated(a, b); };
inline constexpr auto subOp = [](uint64_t a, uint64_t b) { return subSaturated(a, b); };
inline constexpr auto halfOp = [](uint64_t a, uint64_t b) { return halfPair(a, b); };
inline constexpr auto firstOp = [](uint64_t a, uint64_t) { return a; };

inline void add(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n) {
    eachPair(s1, s2, out, n, addOp, plain::addPixel);
}
inline void sub(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n) {
    eachPair(s1, s2, out, n, subOp, plain::subPixel);
}
inline void half(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n) {
    eachPair(s1, s2, out, n, halfOp, plain::halfPixel);
}
inline void copy(const uint32_t* s1, uint32_t* out, size_t n) { eachPair(s1, s1, out, n, firstOp, plain::copyPixel); }
inline void addKeyed(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n, uint32_t key) {
    eachPairKeyed(s1, s2, out, n, key, addOp, plain::addPixel);
}
inline void subKeyed(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n, uint32_t key) {
    eachPairKeyed(s1, s2, out, n, key, subOp, plain::subPixel);
}
inline void halfKeyed(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n, uint32_t key) {
    eachPairKeyed(s1, s2, out, n, key, halfOp, plain::halfPixel);
}

}  // namespace swar

#if defined(__MMX__)
namespace mmx {

inline __m64 load(const uint32_t* p) {
    __m64 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline void store(uint32_t* p, __m64 v) { std::memcpy(p, &v, sizeof v); }

inline constexpr auto addOp = [](__m64 a, __m64 b) { return _mm_adds_pu8(a, b); };
inline constexpr auto subOp = [](__m64 a, __m64 b) { return _mm_subs_pu8(a, b); };
inline constexpr auto halfOp = [](__m64 a, __m64 b) {
    const __m64 mask = _mm_set1_pi32(static_cast<int>(kHalfMask));
    return _mm_add_pi32(_mm_and_si64(a, b), _mm_srli_si64(_mm_and_si64(_mm_xor_si64(a, b), mask), 1));
};
inline constexpr auto firstOp = [](__m64 a, __m64) { return a; };

template <class Op, class Tail>
inline void eachPair(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n, Op op, Tail tail) {
    for (size_t k = n / 2; k-- > 0;) store(out + 2 * k, op(load(s1 + 2 * k), load(s2 + 2 * k)));
    _mm_empty();
    if (n & 1) tail(s1, s2, out, n - 1);
}

template <class Op, class Tail>
inline void eachPairKeyed(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n, uint32_t key, Op op,
                          Tail tail) {
    const __m64 keys = _mm_set1_pi32(static_cast<int>(key));
    for (size_t k = n / 2; k-- > 0;) {
        __m64 a = load(s1 + 2 * k);
        __m64 equal = _mm_cmpeq_pi32(a, keys);
        __m64 fresh = op(a, load(s2 + 2 * k));
        store(out + 2 * k, _mm_or_si64(_mm_and_si64(load(out + 2 * k), equal), _mm_andnot_si64(equal, fresh)));
    }
    _mm_empty();
    if ((n & 1) && s1[n - 1] != key) tail(s1, s2, out, n - 1);
}

inline void add(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n) {
    eachPair(s1, s2, out, n, addOp, plain::addPixel);
}
inline void sub(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n) {
    eachPair(s1, s2, out, n, subOp, plain::subPixel);
}
inline void half(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n) {
    eachPair(s1, s2, out, n, halfOp, plain::halfPixel);
}
inline void copy(const uint32_t* s1, uint32_t* out, size_t n) { eachPair(s1, s1, out, n, firstOp, plain::copyPixel); }
inline void addKeyed(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n, uint32_t key) {
    eachPairKeyed(s1, s2, out, n, key, addOp, plain::addPixel);
}
inline void subKeyed(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n, uint32_t key) {
    eachPairKeyed(s1, s2, out, n, key, subOp, plain::subPixel);
}
inline void halfKeyed(const uint32_t* s1, const uint32_t* s2, uint32_t* out, size_t n, uint32_t key) {
    eachPairKeyed(s1, s2, out, n, key, halfOp, plain::halfPixel);
}

}  // namespace mmx
namespace packed = mmx;
#else
namespace packed = swar;
#endif

}  // namespace pxmix

#endif
