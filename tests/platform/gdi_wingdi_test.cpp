// SPDX-License-Identifier: GPL-3.0-or-later
// Device contexts and bitmaps: BitBlt's two raster operations clipped at every
// edge, DIB rows both ways up, and handles that outlive their objects.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "gdi_support.h"

using gditest::Canvas;
using gditest::dibHeader;
using gditest::kOpaque;

namespace {

// Every destination pixel inside the rectangle whose source pixel lies in the
// source bitmap changes, as if the source were read before anything is written:
// overlapping rectangles in one DC must not see their own writes. SRCERASE is
// source AND NOT destination; the device keeps the X byte opaque whatever the
// memory held. Other raster operations and negative sizes are refused.
TEST(GdiBitBlt, ClipsAtEveryEdgeAndOverlapsInOneDc) {
    // Source 7 x 5, destination 6 x 4 (also the source when one DC).
    struct Case {
        const char* name;
        int xd, yd, w, h, xs, ys;
        bool oneDc = false;
    };
    const Case cases[] = {
        {.name = "destination off the left and top", .xd = -2, .yd = -3, .w = 4, .h = 5, .xs = 1, .ys = 0},
        {.name = "destination off the right and bottom", .xd = 4, .yd = 2, .w = 4, .h = 4, .xs = 0, .ys = 0},
        {.name = "source off the left and top", .xd = 1, .yd = 1, .w = 4, .h = 3, .xs = -3, .ys = -2},
        {.name = "source off the right and bottom", .xd = 0, .yd = 0, .w = 4, .h = 3, .xs = 5, .ys = 3},
        {.name = "both off opposite corners", .xd = -1, .yd = -1, .w = 8, .h = 8, .xs = -2, .ys = -3},
        {.name = "huge rectangle",
         .xd = INT_MIN,
         .yd = INT_MIN,
         .w = INT_MAX,
         .h = INT_MAX,
         .xs = INT_MIN,
         .ys = INT_MIN},
        {.name = "one DC, moved right and down", .xd = 2, .yd = 1, .w = 3, .h = 3, .xs = 1, .ys = 0, .oneDc = true},
        {.name = "one DC, moved left and up", .xd = 0, .yd = 0, .w = 4, .h = 3, .xs = 1, .ys = 1, .oneDc = true},
    };
    for (DWORD rop : {DWORD{SRCCOPY}, DWORD{SRCERASE}})
        for (const Case& c : cases) {
            const auto& [name, xd, yd, w, h, xs, ys, oneDc] = c;
            SCOPED_TRACE(testing::Message() << name << (rop == SRCCOPY ? " / SRCCOPY" : " / SRCERASE"));
            Canvas src(7, 5);
            Canvas dst(6, 4);
            src.fillPattern(1);
            dst.fillPattern(2);
            const Canvas& from = oneDc ? dst : src;
            const std::vector<uint32_t> source = src.snapshot();
            const std::vector<uint32_t> s = from.snapshot();
            std::vector<uint32_t> want = dst.snapshot();
            for (int64_t y = 0; y < 4; ++y)
                for (int64_t x = 0; x < 6; ++x) {
                    const int64_t i = x - xd;
                    const int64_t j = y - yd;
                    const int64_t sx = xs + i;
                    const int64_t sy = ys + j;
                    const int64_t k = sy * from.width + sx;
                    if (i < 0 || j < 0 || i >= w || j >= h || sx < 0 || sy < 0 || sx >= from.width || sy >= from.height)
                        continue;
                    want[y * 6 + x] = (rop == SRCCOPY ? s[k] : s[k] & ~want[y * 6 + x]) | kOpaque;
                }
            EXPECT_TRUE(BitBlt(dst.dc, xd, yd, w, h, from.dc, xs, ys, rop));
            EXPECT_EQ(dst.snapshot(), want);
            EXPECT_EQ(src.snapshot(), source);
            EXPECT_FALSE(BitBlt(dst.dc, 0, 0, 2, 1, src.dc, 0, 0, 0x008800C6 /* SRCAND */));
            EXPECT_FALSE(BitBlt(dst.dc, 0, 0, -2, 1, src.dc, 0, 0, rop));
            EXPECT_EQ(dst.snapshot(), want);
        }
}

// Device row y, column x of a 3 x 4 bitmap holds 0x0y0x; a capture gives X 0
// though the device holds 0xFF. Written back at an offset into a 4 x 3 device,
// every row lands where it came from, clipped at the edges.
TEST(GdiDib, RowOrderFollowsTheSignOfTheHeightBothWays) {
    constexpr int kW = 3, kH = 4;
    Canvas c(kW, kH);
    for (int i = 0; i < kW * kH; ++i) c.pixels[i] = kOpaque | (i / kW) << 8 | (i % kW);
    for (int biHeight : {kH, -kH}) {
        SCOPED_TRACE(biHeight > 0 ? "bottom-up" : "top-down");
        std::vector<uint32_t> buffer(kW * kH);
        BITMAPINFO info = dibHeader(kW, biHeight);
        ASSERT_EQ(GetDIBits(c.dc, c.bitmap, 0, kH, buffer.data(), &info, DIB_RGB_COLORS), kH);
        // Bottom-up: buffer pixel 0 is the lower-left pixel.
        for (int i = 0; i < kW * kH; ++i)
            EXPECT_EQ(buffer[i], uint32_t((biHeight > 0 ? kH - 1 - i / kW : i / kW) << 8 | i % kW));
        struct Offset {
            int xd, yd;
        };
        for (const auto [xd, yd] : {Offset{.xd = -1, .yd = -1}, Offset{.xd = 2, .yd = 1}}) {
            Canvas dev(4, 3, 0xFF999999u);
            EXPECT_EQ(SetDIBitsToDevice(dev.dc, xd, yd, kW, kH, 0, 0, 0, kH, buffer.data(), &info, DIB_RGB_COLORS), kH);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 4; ++x) {
                    const bool inside = x >= xd && x < xd + kW && y >= yd;
                    EXPECT_EQ(dev.at(x, y), inside ? kOpaque | (y - yd) << 8 | (x - xd) : 0xFF999999u) << x << "," << y;
                }
        }
    }
}

// Every call refuses a handle that does not name a live object of the right
// kind, and touches nothing; a deleted handle stays dead after its slot holds
// a newer object.
TEST(GdiHandles, StaleAndForeignHandlesAreRefused) {
    Canvas live(4, 4, 0xFF123456u);
    HDC goneDc = CreateCompatibleDC(0);
    DeleteDC(goneDc);
    HBITMAP goneBmp = CreateCompatibleBitmap(0, 4, 4), reused = 0;
    DeleteObject(goneBmp);
    for (int i = 0; i < 5000 && !reused; ++i) {
        const HBITMAP b = CreateCompatibleBitmap(0, 3, 3);
        if ((b & 0xFFFF) == (goneBmp & 0xFFFF)) reused = b;
        if (!reused) DeleteObject(b);
    }
    ASSERT_NE(reused, 0u) << "the slot never came back; the test proves nothing";
    ASSERT_NE(reused, goneBmp);
    uint32_t buffer[16] = {};
    BITMAPINFO info = dibHeader(4, 4);
    for (HDC dc : {HDC{0}, goneDc, live.bitmap, ~0u}) {
        SCOPED_TRACE(dc);
        EXPECT_EQ(SelectObject(dc, reused), 0u);
        EXPECT_FALSE(DeleteDC(dc));
        EXPECT_FALSE(BitBlt(dc, 0, 0, 4, 4, live.dc, 0, 0, SRCCOPY));
        EXPECT_EQ(SetDIBitsToDevice(dc, 0, 0, 4, 4, 0, 0, 0, 4, buffer, &info, DIB_RGB_COLORS), 0);
    }
    for (HBITMAP bmp : {HBITMAP{0}, goneBmp, live.dc}) {
        SCOPED_TRACE(bmp);
        EXPECT_EQ(SelectObject(live.dc, bmp), 0u);
        EXPECT_FALSE(DeleteObject(bmp));
        EXPECT_EQ(lbBitmapPixels(bmp, nullptr, nullptr), nullptr);
        EXPECT_EQ(GetDIBits(live.dc, bmp, 0, 4, buffer, &info, DIB_RGB_COLORS), 0);
    }
    EXPECT_EQ(lbSelectedBitmap(live.dc), live.bitmap);
    EXPECT_EQ(live.at(3, 3), 0xFF123456u);
    EXPECT_TRUE(DeleteObject(reused));
}

}  // namespace
