// Handle lifetime: creation limits, selection rules, deletion and stale handles.
#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "gdi_support.h"

using gditest::Canvas;

namespace {

TEST(GdiHandles, BitmapSizeLimits) {
    for (auto [w, h, made] : {std::tuple{350, 350, true},
                              {32767, 1, true},
                              {0, 5, false},
                              {5, -1, false},
                              {32768, 1, false},
                              {30000, 30000, false},
                              {INT_MAX, 1, false}}) {
        HBITMAP b = CreateCompatibleBitmap(0, w, h);
        EXPECT_EQ(b != 0, made) << w << " x " << h;
        if (!b) continue;
        EXPECT_EQ(lbBitmapPixels(b, nullptr, nullptr)[w * h - 1], gditest::kOpaque) << "a new bitmap is black";
        EXPECT_TRUE(DeleteObject(b));
    }
}

TEST(GdiHandles, SelectionDecidesWhatMayBeDeleted) {
    HDC a = CreateCompatibleDC(0), b = CreateCompatibleDC(a);
    HBITMAP bmp = CreateCompatibleBitmap(a, 4, 4);
    const HGDIOBJ stockA = SelectObject(a, bmp);
    ASSERT_NE(stockA, 0u);
    EXPECT_EQ(SelectObject(b, bmp), 0u) << "one DC at a time";
    EXPECT_EQ(SelectObject(b, stockA), 0u) << "a stock bitmap belongs to its own DC";
    EXPECT_FALSE(DeleteObject(bmp)) << "still selected";
    EXPECT_FALSE(DeleteObject(stockA)) << "a stock bitmap goes with its DC";
    EXPECT_EQ(SelectObject(a, stockA), bmp);
    EXPECT_NE(SelectObject(b, bmp), 0u) << "free again once selected out";
    EXPECT_TRUE(DeleteDC(b)) << "deleting the DC unselects its bitmap";
    EXPECT_TRUE(DeleteObject(bmp));
    EXPECT_TRUE(DeleteDC(a));
    EXPECT_EQ(lbBitmapPixels(stockA, nullptr, nullptr), nullptr) << "the stock bitmap went with its DC";
}

// Every call refuses a handle that does not name a live object of the right
// kind, and touches nothing; a deleted handle stays dead after its slot holds
// a newer object.
TEST(GdiHandles, StaleAndForeignHandlesAreRefused) {
    Canvas live(4, 4, 0xFF123456u);
    HDC goneDc = CreateCompatibleDC(0);
    DeleteDC(goneDc);
    HBITMAP goneBmp = CreateCompatibleBitmap(0, 4, 4);
    DeleteObject(goneBmp);
    HBITMAP reused = 0;
    for (int i = 0; i < 5000 && !reused; ++i) {
        HBITMAP b = CreateCompatibleBitmap(0, 3, 3);
        if ((b & 0xFFFF) == (goneBmp & 0xFFFF)) {
            reused = b;
        } else {
            DeleteObject(b);
        }
    }
    ASSERT_NE(reused, 0u) << "the slot never came back; the test proves nothing";
    ASSERT_NE(reused, goneBmp);
    uint32_t buffer[16] = {};
    BITMAPINFO info = gditest::dibHeader(4, 4);
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
