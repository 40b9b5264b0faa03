// SPDX-License-Identifier: GPL-3.0-or-later
// The routines themselves on random buffers of odd and even lengths: the MMX
// one and the portable 64-bit one agree with the plain one on every colour
// byte (the X byte may differ), keyed and not.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "blend_routines.h"

namespace {

using Routine = void (*)(const uint32_t*, const uint32_t*, uint32_t*, size_t, uint32_t);

// Every routine under one signature.
template <auto f>
void two(const uint32_t* a, const uint32_t* b, uint32_t* o, size_t n, uint32_t) {
    f(a, b, o, n);
}
template <auto f>
void one(const uint32_t* a, const uint32_t*, uint32_t* o, size_t n, uint32_t) {
    f(a, o, n);
}

// The seven packed routines of one namespace beside their plain ones.
// clang-format off
#define LB_PACKED_PAIRS(ns)                                                                                     \
    {#ns " add", two<plain::add>, two<ns::add>}, {#ns " sub", two<plain::sub>, two<ns::sub>},                  \
    {#ns " half", two<plain::half>, two<ns::half>}, {#ns " copy", one<plain::copy>, one<ns::copy>},            \
    {#ns " add keyed", plain::addKeyed, ns::addKeyed}, {#ns " sub keyed", plain::subKeyed, ns::subKeyed},      \
    {#ns " half keyed", plain::halfKeyed, ns::halfKeyed}
// clang-format on

TEST(BlendRoutines, PackedAgreesWithPlainOnEveryColourByte) {
    using namespace pxmix;
    struct Pair {
        const char* name;
        Routine plain, packed;
    };
    const Pair pairs[] = {
        LB_PACKED_PAIRS(swar),
#if defined(__MMX__)
        LB_PACKED_PAIRS(mmx)
#endif
    };
#undef LB_PACKED_PAIRS
    constexpr uint32_t kKey = 0x5A123456u;
    std::mt19937 rng(77);
    for (const auto& [name, plainRoutine, packedRoutine] : pairs)
        for (size_t n : {1, 2, 3, 33, 550, 1444}) {
            // Every X byte in use, and key pixels alone and in pairs.
            std::vector<uint32_t> a(n);
            std::vector<uint32_t> b(n);
            std::vector<uint32_t> plainOut(n);
            for (size_t i = 0; i < n; ++i) {
                a[i] = rng() % 4 == 0 ? kKey : rng();
                b[i] = rng();
                plainOut[i] = rng();
            }
            std::vector<uint32_t> packedOut = plainOut;
            plainRoutine(a.data(), b.data(), plainOut.data(), n, kKey);
            packedRoutine(a.data(), b.data(), packedOut.data(), n, kKey);
            for (size_t i = 0; i < n; ++i)
                ASSERT_EQ(packedOut[i] & 0xFFFFFF, plainOut[i] & 0xFFFFFF) << name << ", pixel " << i << " of " << n;
        }
}

}  // namespace
