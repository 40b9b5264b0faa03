// GetDIBits and SetDIBitsToDevice: row order both ways, clipping, refusals.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gdi_support.h"

using gditest::Canvas;
using gditest::dibHeader;
using gditest::kOpaque;

namespace {

constexpr int kW = 3, kH = 4;

// Device row y, column x of the bitmap holds 0x0y0x; a capture gives X 0
// though the device holds 0xFF. Written back at an offset into a 4 x 3 device,
// every row lands where it came from, clipped at the edges.
TEST(GdiDib, RowOrderFollowsTheSignOfTheHeightBothWays) {
    Canvas c(kW, kH);
    for (int i = 0; i < kW * kH; ++i) c.pixels[i] = kOpaque | (i / kW) << 8 | (i % kW);
    for (int biHeight : {kH, -kH}) {
        SCOPED_TRACE(biHeight > 0 ? "bottom-up" : "top-down");
        std::vector<uint32_t> buffer(kW * kH);
        BITMAPINFO info = dibHeader(kW, biHeight);
        ASSERT_EQ(GetDIBits(c.dc, c.bitmap, 0, kH, buffer.data(), &info, DIB_RGB_COLORS), kH);
        // Bottom-up: buffer pixel 0 is the lower-left pixel.
        for (int line = 0; line < kH; ++line)
            for (int x = 0; x < kW; ++x)
                EXPECT_EQ(buffer[line * kW + x], uint32_t((biHeight > 0 ? kH - 1 - line : line) << 8 | x));
        for (auto [xd, yd] : {std::pair{-1, -1}, {2, 1}}) {
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

// A format it cannot read, or a size that overflows or does not fit the
// bitmap, is refused both ways with nothing touched.
TEST(GdiDib, RefusesOtherFormatsAndSizes) {
    Canvas dev(kW, kH, 0xFF999999u);
    std::vector<uint32_t> buffer(kW * kH, 0x00111111u);
    for (auto* spoil : {+[](BITMAPINFOHEADER& h) { h.biBitCount = 24; }, +[](BITMAPINFOHEADER& h) { h.biSize = 12; },
                        +[](BITMAPINFOHEADER& h) { h.biHeight = INT32_MIN; }}) {
        BITMAPINFO info = dibHeader(kW, kH);
        spoil(info.bmiHeader);
        EXPECT_EQ(GetDIBits(dev.dc, dev.bitmap, 0, kH, buffer.data(), &info, DIB_RGB_COLORS), 0);
        EXPECT_EQ(SetDIBitsToDevice(dev.dc, 0, 0, kW, kH, 0, 0, 0, kH, buffer.data(), &info, DIB_RGB_COLORS), 0);
    }
    BITMAPINFO taller = dibHeader(kW, -(kH + 1));
    EXPECT_EQ(GetDIBits(dev.dc, dev.bitmap, 0, kH, buffer.data(), &taller, DIB_RGB_COLORS), 0);
    EXPECT_EQ(dev.at(0, 0), 0xFF999999u);
    EXPECT_EQ(buffer[0], 0x00111111u);
}

}  // namespace
