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
void twoSources(const uint32_t* a, const uint32_t* b, uint32_t* o, size_t n, uint32_t) {
    f(a, b, o, n);
}
template <auto f>
void oneSource(const uint32_t* a, const uint32_t*, uint32_t* o, size_t n, uint32_t) {
    f(a, o, n);
}

struct Pair {
    const char* name;
    Routine plain, packed;
};

// The seven packed routines of one namespace beside their plain ones.
#define LB_PACKED_PAIRS(ns)                                                                                            \
    {#ns " add", twoSources<plain::add>, twoSources<ns::add>},                                                         \
        {#ns " sub", twoSources<plain::sub>, twoSources<ns::sub>},                                                     \
        {#ns " half", twoSources<plain::half>, twoSources<ns::half>},                                                  \
        {#ns " copy", oneSource<plain::copy>, oneSource<ns::copy>}, {#ns " add keyed", plain::addKeyed, ns::addKeyed}, \
        {#ns " sub keyed", plain::subKeyed, ns::subKeyed}, {                                                           \
#ns " half keyed", plain::halfKeyed, ns::halfKeyed                                                             \
    }

TEST(BlendRoutines, PackedAgreesWithPlainOnEveryColourByte) {
    using namespace pxmix;
    const Pair pairs[] = {
        LB_PACKED_PAIRS(swar),
#if defined(__MMX__)
        LB_PACKED_PAIRS(mmx)
#endif
    };
#undef LB_PACKED_PAIRS
    constexpr uint32_t kKey = 0x5A123456u;
    std::mt19937 rng(77);
    for (const Pair& p : pairs)
        for (size_t n : {size_t{1}, size_t{2}, size_t{3}, size_t{33}, size_t{550}, size_t{1444}}) {
            // Every X byte in use, and key pixels alone and in pairs.
            std::vector<uint32_t> a(n), b(n), old(n);
            for (size_t i = 0; i < n; ++i) {
                a[i] = rng() % 4 == 0 ? kKey : rng();
                b[i] = rng();
                old[i] = rng();
            }
            std::vector<uint32_t> plainOut = old, packedOut = old;
            p.plain(a.data(), b.data(), plainOut.data(), n, kKey);
            p.packed(a.data(), b.data(), packedOut.data(), n, kKey);
            for (size_t i = 0; i < n; ++i)
                ASSERT_EQ(packedOut[i] & 0xFFFFFF, plainOut[i] & 0xFFFFFF) << p.name << ", pixel " << i << " of " << n;
        }
}

}  // namespace
