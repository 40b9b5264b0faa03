// The routines themselves, on buffers with every X byte in use: the plain one,
// the MMX one and the portable 64-bit one agree on the colour bytes, and the X
// byte comes out as each routine defines it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "blend_routines.h"

namespace {

using Buffer = std::vector<uint32_t>;
using Routine = std::function<void(const uint32_t*, const uint32_t*, uint32_t*, size_t)>;

struct Variant {
    const char* name;
    Routine run;
};

// What the X byte of a result must be, given both sources' X bytes and what
// the result held; the bool says whether the plain arithmetic produced it.
using XRule = uint32_t (*)(uint32_t x1, uint32_t x2, uint32_t old, bool plainPixel);

struct Family {
    const char* name;
    Routine plain;
    std::vector<Variant> packed;
    XRule x;
};

uint32_t xAdd(uint32_t a, uint32_t b, uint32_t old, bool plain) { return plain ? old : std::min(255u, a + b); }
uint32_t xSub(uint32_t a, uint32_t b, uint32_t old, bool plain) { return plain ? old : (a > b ? a - b : 0); }
uint32_t xHalf(uint32_t a, uint32_t b, uint32_t, bool) { return a & b; }
uint32_t xCopy(uint32_t a, uint32_t, uint32_t, bool) { return a; }

constexpr uint32_t kKey = 0x5A123456u;

std::vector<Family> families() {
    using namespace pxmix;
    auto keyed = [](auto f) {
        return [f](const uint32_t* a, const uint32_t* b, uint32_t* o, size_t n) { f(a, b, o, n, kKey); };
    };
    auto copy = [](auto f) { return [f](const uint32_t* a, const uint32_t*, uint32_t* o, size_t n) { f(a, o, n); }; };
    auto copyKeyed = [](auto f) {
        return [f](const uint32_t* a, const uint32_t*, uint32_t* o, size_t n) { f(a, o, n, kKey); };
    };
    std::vector<Family> list = {
        {"add", plain::add, {{"swar", swar::add}}, xAdd},
        {"sub", plain::sub, {{"swar", swar::sub}}, xSub},
        {"half", plain::half, {{"swar", swar::half}}, xHalf},
        {"copy", copy(plain::copy), {{"swar", copy(swar::copy)}}, xCopy},
        {"add keyed", keyed(plain::addKeyed), {{"swar", keyed(swar::addKeyed)}}, xAdd},
        {"sub keyed", keyed(plain::subKeyed), {{"swar", keyed(swar::subKeyed)}}, xSub},
        {"half keyed", keyed(plain::halfKeyed), {{"swar", keyed(swar::halfKeyed)}}, xHalf},
        {"copy keyed", copyKeyed(plain::copyKeyed), {}, xCopy},
    };
#if defined(__MMX__)
    list[0].packed.push_back({"mmx", mmx::add});
    list[1].packed.push_back({"mmx", mmx::sub});
    list[2].packed.push_back({"mmx", mmx::half});
    list[3].packed.push_back({"mmx", copy(mmx::copy)});
    list[4].packed.push_back({"mmx", keyed(mmx::addKeyed)});
    list[5].packed.push_back({"mmx", keyed(mmx::subKeyed)});
    list[6].packed.push_back({"mmx", keyed(mmx::halfKeyed)});
#endif
    return list;
}

TEST(BlendRoutines, PackedAgreesWithPlainWithEveryXByteSet) {
    std::mt19937 rng(77);
    for (const Family& f : families()) {
        for (size_t n : {size_t{0}, size_t{1}, size_t{2}, size_t{3}, size_t{8}, size_t{33}, size_t{550}, size_t{1444}}) {
            Buffer a(n), b(n), old(n);
            for (size_t i = 0; i < n; ++i) {
                a[i] = rng();
                b[i] = rng();
                old[i] = rng();
                if (rng() % 4 == 0) a[i] = kKey;
            }
            Buffer plainOut = old;
            f.plain(a.data(), b.data(), plainOut.data(), n);
            for (const Variant& v : f.packed) {
                SCOPED_TRACE(testing::Message() << f.name << " / " << v.name << ", " << n << " pixels");
                Buffer out = old;
                v.run(a.data(), b.data(), out.data(), n);
                for (size_t i = 0; i < n; ++i) {
                    ASSERT_EQ(out[i] & 0xFFFFFF, plainOut[i] & 0xFFFFFF) << "pixel " << i;
                    const bool keyedAway = std::string(f.name).find("keyed") != std::string::npos && a[i] == kKey;
                    const bool tail = (n % 2 == 1) && i == n - 1;
                    uint32_t wantX = keyedAway ? old[i] >> 24 : f.x(a[i] >> 24, b[i] >> 24, old[i] >> 24, tail);
                    ASSERT_EQ(out[i] >> 24, wantX) << "X byte of pixel " << i;
                    uint32_t wantPlainX = keyedAway ? old[i] >> 24 : f.x(a[i] >> 24, b[i] >> 24, old[i] >> 24, true);
                    ASSERT_EQ(plainOut[i] >> 24, wantPlainX) << "plain X byte of pixel " << i;
                }
            }
        }
    }
}

// Every pair of byte values in every byte position of a pixel pair, so a carry
// or borrow leaking into the next byte shows.
TEST(BlendRoutines, SaturationStaysInsideEachByte) {
    struct Saturating {
        const char* name;
        Routine run;
        uint32_t (*want)(uint32_t, uint32_t);
    };
    auto sat = [](uint32_t a, uint32_t b) { return std::min(255u, a + b); };
    auto floor0 = [](uint32_t a, uint32_t b) { return a > b ? a - b : 0u; };
    std::vector<Saturating> list = {{"swar add", pxmix::swar::add, sat}, {"swar sub", pxmix::swar::sub, floor0}};
#if defined(__MMX__)
    list.push_back({"mmx add", pxmix::mmx::add, sat});
    list.push_back({"mmx sub", pxmix::mmx::sub, floor0});
#endif
    for (const auto& s : list) {
        SCOPED_TRACE(s.name);
        for (int position = 0; position < 8; ++position) {
            // 65536 pairs; the other bytes are the partners' complements, so
            // each neighbour sees carries and borrows of its own.
            Buffer a(2 * 65536), b(2 * 65536), out(2 * 65536);
            auto* ab = reinterpret_cast<uint8_t*>(a.data());
            auto* bb = reinterpret_cast<uint8_t*>(b.data());
            for (uint32_t v = 0; v < 65536; ++v)
                for (int k = 0; k < 8; ++k) {
                    uint8_t x = uint8_t(v & 0xFF), y = uint8_t(v >> 8);
                    ab[8 * v + k] = k == position ? x : uint8_t(~y);
                    bb[8 * v + k] = k == position ? y : uint8_t(~x + k);
                }
            s.run(a.data(), b.data(), out.data(), a.size());
            auto* ob = reinterpret_cast<const uint8_t*>(out.data());
            for (size_t i = 0; i < 8 * 65536; ++i)
                ASSERT_EQ(ob[i], s.want(ab[i], bb[i])) << "byte " << i % 8 << " of pair " << i / 8 << " (position " << position << ")";
        }
    }
}

}  // namespace
