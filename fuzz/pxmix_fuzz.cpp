// SPDX-License-Identifier: GPL-3.0-or-later
// The blend exports with random sizes, positions, flags, keys and handles —
// live, deleted and made up — never crash, hang or touch memory they don't own.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "pxmix.h"
#include "wingdi.h"

namespace {

struct Bytes {
    const uint8_t* p;
    size_t n;
    int32_t take32() {
        int32_t v = 0;
        size_t k = n < 4 ? n : 4;
        std::memcpy(&v, p, k);
        p += k;
        n -= k;
        return v;
    }
    uint8_t take8() { return n ? (n--, *p++) : 0; }
};

// Sizes and offsets mostly near the pictures' own, now and then anything.
int32_t near(Bytes& b, int32_t span) {
    int32_t v = b.take32();
    return (b.take8() & 7) == 0 ? v : v % span;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes b{data, size};
    HDC dcs[3];
    HBITMAP bmps[3];
    for (int i = 0; i < 3; ++i) {
        dcs[i] = CreateCompatibleDC(0);
        bmps[i] = CreateCompatibleBitmap(0, 1 + (b.take8() % 64), 1 + (b.take8() % 64));
        SelectObject(dcs[i], bmps[i]);
    }
    // A deleted DC keeps its number: the exports must refuse it.
    HDC dead = CreateCompatibleDC(0);
    DeleteDC(dead);
    auto pick = [&](uint8_t k) -> int32_t {
        switch (k % 6) {
        case 0:
        case 1:
        case 2: return static_cast<int32_t>(dcs[k % 3]);
        case 3: return static_cast<int32_t>(dead);
        case 4: return 0;
        default: return b.take32();
        }
    };
    for (int call = 0; call < 4 && b.n > 0; ++call) {
        const uint8_t op = b.take8();
        const int32_t d = pick(b.take8()), s1 = pick(b.take8()), s2 = pick(b.take8());
        // Sizes stay small so a run makes many calls; giant sizes are refused before
        // any work, which the unit tests pin.
        const int32_t w = b.take32() % 100, h = b.take32() % 100;
        const int32_t x = near(b, 80), y = near(b, 80);
        const int32_t x1 = near(b, 80), y1 = near(b, 80), x2 = near(b, 80), y2 = near(b, 80);
        const int32_t flags = b.take32(), key = b.take32();
        switch (op % 5) {
        case 0: px_AddBlend(d, x, y, w, h, s1, x1, y1, s2, x2, y2, flags, key); break;
        case 1: px_SubBlend(d, x, y, w, h, s1, x1, y1, s2, x2, y2, flags, key); break;
        case 2: px_HalfBlend(d, x, y, w, h, s1, x1, y1, s2, x2, y2, flags, key); break;
        case 3: px_AlphaBlend(d, x, y, w, h, s1, x1, y1, s2, x2, y2, flags, key); break;
        default: px_BitBlt(d, x, y, w, h, s1, x1, y1, flags, key); break;
        }
    }
    for (int i = 0; i < 3; ++i) {
        DeleteDC(dcs[i]);
        DeleteObject(bmps[i]);
    }
    return 0;
}
