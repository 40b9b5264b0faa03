// Handle lifetime: creation limits, selection rules, deletion and stale handles.
#include <gtest/gtest.h>

#include <climits>
#include <unordered_set>
#include <vector>

#include "gdi_support.h"

using gditest::Canvas;

namespace {

struct SizeCase {
    const char* name;
    int w, h;
    bool created;
};

TEST(GdiHandles, BitmapSizeLimits) {
    const SizeCase cases[] = {
        {"one pixel", 1, 1, true},      {"play picture", 350, 350, true},
        {"widest", 32767, 1, true},     {"zero width", 0, 5, false},
        {"zero height", 5, 0, false},   {"negative", -1, 5, false},
        {"too wide", 32768, 1, false},  {"too many pixels", 30000, 30000, false},
        {"INT_MAX", INT_MAX, 1, false}, {"INT_MIN", 1, INT_MIN, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HBITMAP b = CreateCompatibleBitmap(0, c.w, c.h);
        EXPECT_EQ(b != 0, c.created);
        if (!b) continue;
        int w = 0, h = 0;
        uint32_t* p = lbBitmapPixels(b, &w, &h);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(w, c.w);
        EXPECT_EQ(h, c.h);
        EXPECT_EQ(p[0], gditest::kOpaque);  // black, X byte kept opaque
        EXPECT_EQ(p[c.w * c.h - 1], gditest::kOpaque);
        EXPECT_TRUE(DeleteObject(b));
    }
}

TEST(GdiHandles, NewDcHasItsOwnStockBitmap) {
    HDC a = CreateCompatibleDC(0);
    HDC b = CreateCompatibleDC(a);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    HBITMAP stockA = lbSelectedBitmap(a);
    HBITMAP stockB = lbSelectedBitmap(b);
    EXPECT_NE(stockA, 0u);
    EXPECT_NE(stockA, stockB);
    int w = 0, h = 0;
    EXPECT_NE(lbBitmapPixels(stockA, &w, &h), nullptr);
    EXPECT_EQ(w, 1);
    EXPECT_EQ(h, 1);

    HBITMAP bmp = CreateCompatibleBitmap(a, 4, 4);
    EXPECT_EQ(SelectObject(a, bmp), stockA);
    EXPECT_EQ(lbSelectedBitmap(a), bmp);
    EXPECT_EQ(SelectObject(a, bmp), bmp) << "reselecting returns the same bitmap";
    EXPECT_EQ(SelectObject(b, stockA), 0u) << "a stock bitmap belongs to its own DC";
    EXPECT_FALSE(DeleteObject(stockA)) << "a stock bitmap goes with its DC";
    EXPECT_EQ(SelectObject(a, stockA), bmp);

    EXPECT_TRUE(DeleteDC(a));
    EXPECT_TRUE(DeleteDC(b));
    EXPECT_EQ(lbBitmapPixels(stockA, nullptr, nullptr), nullptr);
    EXPECT_EQ(lbBitmapPixels(stockB, nullptr, nullptr), nullptr);
    EXPECT_TRUE(DeleteObject(bmp));
}

TEST(GdiHandles, BitmapIsSelectedIntoOneDcAtATime) {
    HDC a = CreateCompatibleDC(0);
    HDC b = CreateCompatibleDC(0);
    HBITMAP bmp = CreateCompatibleBitmap(0, 2, 2);
    HGDIOBJ stockA = SelectObject(a, bmp);
    ASSERT_NE(stockA, 0u);
    EXPECT_EQ(SelectObject(b, bmp), 0u);
    EXPECT_FALSE(DeleteObject(bmp)) << "still selected";

    SelectObject(a, stockA);
    HGDIOBJ stockB = SelectObject(b, bmp);
    EXPECT_NE(stockB, 0u) << "free again once selected out";

    EXPECT_TRUE(DeleteDC(b)) << "deleting the DC unselects its bitmap";
    EXPECT_TRUE(DeleteObject(bmp));
    EXPECT_FALSE(DeleteObject(bmp)) << "second delete";
    EXPECT_TRUE(DeleteDC(a));
    EXPECT_FALSE(DeleteDC(a));
}

// Every call that takes a handle refuses the ones that do not name a live
// object of the right kind, and touches nothing.
TEST(GdiHandles, StaleAndForeignHandlesAreRefused) {
    Canvas live(4, 4, 0xFF123456u);
    HDC goneDc = CreateCompatibleDC(0);
    HBITMAP goneDcStock = lbSelectedBitmap(goneDc);
    DeleteDC(goneDc);
    HBITMAP goneBmp = CreateCompatibleBitmap(0, 4, 4);
    DeleteObject(goneBmp);
    HBITMAP spare = CreateCompatibleBitmap(0, 4, 4);

    struct Bad {
        const char* name;
        uint32_t handle;
    };
    const Bad dcs[] = {{"zero", 0},         {"deleted DC", goneDc},  {"bitmap as DC", live.bitmap},
                       {"all ones", ~0u},   {"deleted stock", goneDcStock}, {"slot past the end", 0x0001FFFFu}};
    const Bad bitmaps[] = {{"zero", 0},           {"deleted bitmap", goneBmp}, {"DC as bitmap", live.dc},
                           {"deleted stock", goneDcStock}, {"all ones", ~0u}};

    uint32_t buffer[16] = {};
    BITMAPINFO info = gditest::dibHeader(4, 4);
    for (const auto& d : dcs) {
        SCOPED_TRACE(d.name);
        EXPECT_EQ(SelectObject(d.handle, spare), 0u);
        EXPECT_FALSE(DeleteDC(d.handle));
        EXPECT_EQ(lbSelectedBitmap(d.handle), 0u);
        EXPECT_FALSE(BitBlt(d.handle, 0, 0, 4, 4, live.dc, 0, 0, SRCCOPY));
        EXPECT_FALSE(BitBlt(live.dc, 0, 0, 4, 4, d.handle, 0, 0, SRCCOPY));
        EXPECT_EQ(GetDIBits(d.handle, spare, 0, 4, buffer, &info, DIB_RGB_COLORS), 0);
        EXPECT_EQ(SetDIBitsToDevice(d.handle, 0, 0, 4, 4, 0, 0, 0, 4, buffer, &info, DIB_RGB_COLORS), 0);
        if (d.handle != 0) {
            EXPECT_EQ(CreateCompatibleDC(d.handle), 0u);
            EXPECT_EQ(CreateCompatibleBitmap(d.handle, 2, 2), 0u);
        }
    }
    for (const auto& b : bitmaps) {
        SCOPED_TRACE(b.name);
        EXPECT_EQ(SelectObject(live.dc, b.handle), 0u);
        EXPECT_FALSE(DeleteObject(b.handle));
        EXPECT_EQ(lbBitmapPixels(b.handle, nullptr, nullptr), nullptr);
        EXPECT_EQ(GetDIBits(live.dc, b.handle, 0, 4, buffer, &info, DIB_RGB_COLORS), 0);
    }
    EXPECT_EQ(lbSelectedBitmap(live.dc), live.bitmap);
    EXPECT_EQ(live.at(3, 3), 0xFF123456u);
    EXPECT_TRUE(DeleteObject(spare));
}

// Objects come and go every frame; a handle kept by mistake must not start
// naming a newer object soon after.
TEST(GdiHandles, DeletedNumbersAreNotReusedSoon) {
    std::unordered_set<uint32_t> seen;
    for (int i = 0; i < 20000; ++i) {
        HDC dc = CreateCompatibleDC(0);
        HBITMAP bmp = CreateCompatibleBitmap(dc, 1, 1);
        ASSERT_NE(dc, 0u);
        ASSERT_NE(bmp, 0u);
        EXPECT_TRUE(seen.insert(dc).second) << "DC number came back after " << i;
        EXPECT_TRUE(seen.insert(bmp).second) << "bitmap number came back after " << i;
        EXPECT_TRUE(seen.insert(lbSelectedBitmap(dc)).second);
        DeleteObject(bmp);
        DeleteDC(dc);
        if (HasFailure()) break;
    }
}

// Once the slot of a deleted object holds a new one, the old handle must still
// be refused rather than reach the newcomer.
TEST(GdiHandles, StaleHandleStaysDeadAfterItsSlotIsReused) {
    HBITMAP stale = CreateCompatibleBitmap(0, 2, 2);
    DeleteObject(stale);
    std::vector<HBITMAP> kept;
    bool reused = false;
    for (int i = 0; i < 5000 && !reused; ++i) {
        HBITMAP b = CreateCompatibleBitmap(0, 3, 3);
        ASSERT_NE(b, 0u);
        reused = (b & 0xFFFF) == (stale & 0xFFFF);
        if (reused) {
            kept.push_back(b);
            break;
        }
        DeleteObject(b);
    }
    ASSERT_TRUE(reused) << "the slot never came back; the test proves nothing";
    EXPECT_NE(kept.back(), stale);
    EXPECT_EQ(lbBitmapPixels(stale, nullptr, nullptr), nullptr);
    EXPECT_FALSE(DeleteObject(stale));
    EXPECT_NE(lbBitmapPixels(kept.back(), nullptr, nullptr), nullptr);
    EXPECT_TRUE(DeleteObject(kept.back()));
}

}  // namespace
