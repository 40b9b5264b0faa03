// GetDIBits and SetDIBitsToDevice: row order, scan bands, clipping, refusals.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gdi_support.h"

using gditest::Canvas;
using gditest::dibHeader;
using gditest::kOpaque;

namespace {

constexpr int kW = 3, kH = 4;

// Pixel (x, y) of the device as 0x00YYXX.., easy to read in a failure.
uint32_t mark(int x, int y) { return uint32_t(0x100000 * (y + 1) + 0x1000 * (x + 1) + 0x5A); }

void paintMarks(Canvas& c) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) c.at(x, y) = mark(x, y) | kOpaque;
}

struct ReadCase {
    const char* name;
    int biHeight;
    UINT start, lines;
    int copied;
    std::vector<int> rows;  // device rows of the buffer's lines, in buffer order
};

// The device holds X 0xFF; the marks the buffer is compared with have X 0.
TEST(GdiGetDIBits, RowOrderFollowsTheSignOfTheHeight) {
    const ReadCase cases[] = {
        {"bottom-up: buffer pixel 0 is the lower-left pixel", kH, 0, kH, kH, {3, 2, 1, 0}},
        {"top-down", -kH, 0, kH, kH, {0, 1, 2, 3}},
        {"bottom-up band from scan 1", kH, 1, 2, 2, {2, 1}},
        {"top-down band from scan 2", -kH, 2, 2, 2, {2, 3}},
        {"more lines than there are", kH, 2, 100, 2, {1, 0}},
        {"start past the end", kH, kH, 1, 0, {}},
        {"no lines", kH, 0, 0, 0, {}},
    };
    Canvas c(kW, kH);
    paintMarks(c);
    for (const auto& rc : cases) {
        SCOPED_TRACE(rc.name);
        std::vector<uint32_t> buffer(kW * kH, 0xDEADBEEFu);
        BITMAPINFO info = dibHeader(kW, rc.biHeight);
        EXPECT_EQ(GetDIBits(c.dc, c.bitmap, rc.start, rc.lines, buffer.data(), &info, DIB_RGB_COLORS),
                  rc.copied);
        for (size_t line = 0; line < rc.rows.size(); ++line)
            for (int x = 0; x < kW; ++x)
                EXPECT_EQ(buffer[line * kW + x], mark(x, rc.rows[line])) << "line " << line << " x " << x;
        for (size_t i = rc.rows.size() * kW; i < buffer.size(); ++i)
            EXPECT_EQ(buffer[i], 0xDEADBEEFu) << "wrote past the lines it reported, at " << i;
    }
}

TEST(GdiGetDIBits, ReadsABitmapOutsideAnyDc) {
    HDC dc = CreateCompatibleDC(0);
    HBITMAP free = CreateCompatibleBitmap(0, 2, 2);
    lbBitmapPixels(free, nullptr, nullptr)[0] = 0xFF010203u;
    uint32_t buffer[4] = {};
    BITMAPINFO info = dibHeader(2, -2);
    EXPECT_EQ(GetDIBits(dc, free, 0, 2, buffer, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(buffer[0], 0x00010203u);
    DeleteObject(free);
    DeleteDC(dc);
}

// Shared by both directions: one change to a good header makes it unusable.
struct BadHeader {
    const char* name;
    void (*spoil)(BITMAPINFOHEADER&);
};

const BadHeader kBadHeaders[] = {
    {"24 bits", [](BITMAPINFOHEADER& h) { h.biBitCount = 24; }},
    {"16 bits", [](BITMAPINFOHEADER& h) { h.biBitCount = 16; }},
    {"run-length", [](BITMAPINFOHEADER& h) { h.biCompression = 1; }},
    {"bit fields", [](BITMAPINFOHEADER& h) { h.biCompression = 3; }},
    {"core header size", [](BITMAPINFOHEADER& h) { h.biSize = 12; }},
    {"zero width", [](BITMAPINFOHEADER& h) { h.biWidth = 0; }},
    {"negative width", [](BITMAPINFOHEADER& h) { h.biWidth = -kW; }},
    {"zero height", [](BITMAPINFOHEADER& h) { h.biHeight = 0; }},
    {"absurd height", [](BITMAPINFOHEADER& h) { h.biHeight = INT32_MIN; }},
};

TEST(GdiGetDIBits, RefusesOtherFormatsAndSizes) {
    Canvas c(kW, kH);
    std::vector<uint32_t> buffer(kW * kH);
    for (const auto& bad : kBadHeaders) {
        SCOPED_TRACE(bad.name);
        BITMAPINFO info = dibHeader(kW, kH);
        bad.spoil(info.bmiHeader);
        EXPECT_EQ(GetDIBits(c.dc, c.bitmap, 0, kH, buffer.data(), &info, DIB_RGB_COLORS), 0);
    }
    BITMAPINFO good = dibHeader(kW, kH);
    BITMAPINFO wider = dibHeader(kW + 1, kH);
    BITMAPINFO taller = dibHeader(kW, -(kH + 1));
    EXPECT_EQ(GetDIBits(c.dc, c.bitmap, 0, kH, buffer.data(), &wider, DIB_RGB_COLORS), 0);
    EXPECT_EQ(GetDIBits(c.dc, c.bitmap, 0, kH, buffer.data(), &taller, DIB_RGB_COLORS), 0);
    EXPECT_EQ(GetDIBits(c.dc, c.bitmap, 0, kH, buffer.data(), &good, 1 /* DIB_PAL_COLORS */), 0);
    EXPECT_EQ(GetDIBits(c.dc, c.bitmap, 0, kH, nullptr, &good, DIB_RGB_COLORS), 0);
    EXPECT_EQ(GetDIBits(c.dc, c.bitmap, 0, kH, buffer.data(), nullptr, DIB_RGB_COLORS), 0);
    EXPECT_EQ(GetDIBits(c.dc, c.bitmap, 0, kH, buffer.data(), &good, DIB_RGB_COLORS), kH);
}

TEST(GdiSetDIBitsToDevice, RoundTripsInBothRowOrders) {
    for (int biHeight : {kH, -kH}) {
        SCOPED_TRACE(biHeight);
        Canvas from(kW, kH), to(kW, kH, 0xFF777777u);
        paintMarks(from);
        from.at(1, 1) = 0x00ABCDEFu;  // memory with X 0: the device sets it again
        std::vector<uint32_t> buffer(kW * kH);
        BITMAPINFO info = dibHeader(kW, biHeight);
        ASSERT_EQ(GetDIBits(from.dc, from.bitmap, 0, kH, buffer.data(), &info, DIB_RGB_COLORS), kH);
        EXPECT_EQ(SetDIBitsToDevice(to.dc, 0, 0, kW, kH, 0, 0, 0, kH, buffer.data(), &info, DIB_RGB_COLORS), kH);
        from.at(1, 1) |= kOpaque;
        EXPECT_EQ(to.snapshot(), from.snapshot());
    }
}

// The DIB is 3 x 4 with pixel (column c, scan s) = 0x01ss0c in its own row
// order; the device is 4 x 3. want[] is the device afterwards, row by row,
// 0 meaning "left as it was".
struct WriteCase {
    const char* name;
    int biHeight;
    int xDest, yDest;
    DWORD w, h;
    int xSrc, ySrc;
    UINT startScan, lines;
    int returned;
    uint32_t want[12];
};

const WriteCase kWrites[] = {
    {"bottom-up whole DIB: top device row gets the highest scan", kH, 0, 0, 3, 3, 0, 0, 0, 4, 4,
     {0x10200, 0x10201, 0x10202, 0, 0x10100, 0x10101, 0x10102, 0, 0x10000, 0x10001, 0x10002, 0}},
    {"top-down whole DIB", -kH, 0, 0, 3, 3, 0, 0, 0, 4, 4,
     {0x10000, 0x10001, 0x10002, 0, 0x10100, 0x10101, 0x10102, 0, 0x10200, 0x10201, 0x10202, 0}},
    {"bottom-up, ySrc counts from the bottom", kH, 1, 0, 2, 2, 1, 2, 0, 4, 4,
     {0, 0x10301, 0x10302, 0, 0, 0x10201, 0x10202, 0, 0, 0, 0, 0}},
    {"top-down sub-rectangle", -kH, 2, 1, 2, 2, 0, 1, 0, 4, 4,
     {0, 0, 0, 0, 0, 0, 0x10100, 0x10101, 0, 0, 0x10200, 0x10201}},
    {"clipped at the destination's left and top", kH, -1, -1, 3, 3, 0, 0, 0, 4, 4,
     {0x10101, 0x10102, 0, 0, 0x10001, 0x10002, 0, 0, 0, 0, 0, 0}},
    {"clipped at the destination's right and bottom", -kH, 2, 1, 3, 3, 0, 0, 0, 4, 4,
     {0, 0, 0, 0, 0, 0, 0x10000, 0x10001, 0, 0, 0x10100, 0x10101}},
    {"rectangle wider than the DIB", -kH, 0, 0, 4, 1, 1, 0, 0, 4, 4,
     {0x10001, 0x10002, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"only the band the buffer holds", kH, 0, 0, 3, 3, 0, 0, 1, 1, 1,
     {0, 0, 0, 0, 0x10100, 0x10101, 0x10102, 0, 0, 0, 0, 0}},
    {"band running past the DIB", -kH, 0, 0, 3, 3, 0, 0, 2, 10, 2,
     {0, 0, 0, 0, 0, 0, 0, 0, 0x10200, 0x10201, 0x10202, 0}},
    {"band past the DIB", kH, 0, 0, 3, 3, 0, 0, 4, 1, 0, {}},
    {"destination entirely outside", kH, 4, 0, 3, 3, 0, 0, 0, 4, 4, {}},
};

TEST(GdiSetDIBitsToDevice, PlacesTheSourceRectangle) {
    for (const auto& wc : kWrites) {
        SCOPED_TRACE(wc.name);
        // The buffer starts at scan startScan, as the caller hands it over.
        std::vector<uint32_t> dib;
        for (int s = 0; s < kH; ++s)
            for (int col = 0; col < kW; ++col) dib.push_back(uint32_t(0x010000 + s * 0x100 + col));
        const uint32_t* bits = dib.data() + std::min<UINT>(wc.startScan, kH) * kW;
        Canvas dev(4, 3, 0xFF999999u);
        BITMAPINFO info = dibHeader(kW, wc.biHeight);
        EXPECT_EQ(SetDIBitsToDevice(dev.dc, wc.xDest, wc.yDest, wc.w, wc.h, wc.xSrc, wc.ySrc,
                                    wc.startScan, wc.lines, bits, &info, DIB_RGB_COLORS),
                  wc.returned);
        auto got = dev.snapshot();
        for (int i = 0; i < 12; ++i) {
            uint32_t want = wc.want[i] ? wc.want[i] | kOpaque : 0xFF999999u;
            EXPECT_EQ(got[i], want) << std::hex << "device pixel " << i % 4 << "," << i / 4;
        }
    }
}

TEST(GdiSetDIBitsToDevice, RefusesOtherFormats) {
    Canvas dev(kW, kH, 0xFF999999u);
    std::vector<uint32_t> buffer(kW * kH, 0x00111111u);
    for (const auto& bad : kBadHeaders) {
        SCOPED_TRACE(bad.name);
        BITMAPINFO info = dibHeader(kW, kH);
        bad.spoil(info.bmiHeader);
        EXPECT_EQ(SetDIBitsToDevice(dev.dc, 0, 0, kW, kH, 0, 0, 0, kH, buffer.data(), &info, DIB_RGB_COLORS), 0);
    }
    BITMAPINFO good = dibHeader(kW, kH);
    EXPECT_EQ(SetDIBitsToDevice(dev.dc, 0, 0, kW, kH, 0, 0, 0, kH, nullptr, &good, DIB_RGB_COLORS), 0);
    EXPECT_EQ(SetDIBitsToDevice(dev.dc, 0, 0, kW, kH, 0, 0, 0, kH, buffer.data(), nullptr, DIB_RGB_COLORS), 0);
    EXPECT_EQ(SetDIBitsToDevice(dev.dc, 0, 0, kW, kH, 0, 0, 0, kH, buffer.data(), &good, 1), 0);
    EXPECT_EQ(SetDIBitsToDevice(dev.dc, 0, 0, 0x80000000u, kH, 0, 0, 0, kH, buffer.data(), &good, DIB_RGB_COLORS), 0);
    EXPECT_EQ(dev.at(0, 0), 0xFF999999u);
}

}  // namespace
