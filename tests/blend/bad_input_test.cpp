// What the exports do with sizes, handles and rectangles they cannot use:
// return 0, draw nothing that was not asked for, never crash.
#include <gtest/gtest.h>

#include <climits>

#include "blend_canvas.h"

using namespace blendtest;

namespace {

const Op kOps[] = {Op::Add, Op::Sub, Op::Half, Op::Alpha, Op::Copy};
const int32_t kFlagSets[] = {0, PX_FLAG_MMX, PX_FLAG_KEY, PX_FLAG_MMX | PX_FLAG_KEY};

TEST(BlendBadInput, SizesThatDrawNothing) {
    struct Size {
        const char* name;
        int w, h;
    };
    const Size sizes[] = {{"zero width", 0, 4},      {"zero height", 4, 0},       {"negative width", -1, 4},
                          {"negative height", 4, -3}, {"INT_MIN", INT_MIN, INT_MIN}, {"block beyond any allocation", 100000, 100000},
                          {"INT_MAX square", INT_MAX, INT_MAX},
                          // 12 bytes a pixel makes 2^64 + 11936: a block size that wraps.
                          {"block size that wraps", 715862424, 2147380029}};
    Canvas first(4, 4, bgr(1, 2, 3)), second(4, 4, bgr(4, 5, 6));
    for (const auto& s : sizes)
        for (Op op : kOps)
            for (int32_t flags : kFlagSets) {
                SCOPED_TRACE(testing::Message() << s.name << ", " << name(op) << ", flags " << flags);
                Canvas dest(4, 4, 0x00ABCDEF);
                EXPECT_EQ(call(op, dest, 0, 0, s.w, s.h, first, 0, 0, second, 0, 0, flags, 0), 0);
                EXPECT_EQ(dest.get(0, 0), 0x00ABCDEFu);
                EXPECT_EQ(dest.get(3, 3), 0x00ABCDEFu);
            }
}

TEST(BlendBadInput, StaleHandles) {
    HDC gone = CreateCompatibleDC(0);
    DeleteDC(gone);
    const int32_t stale = static_cast<int32_t>(gone);
    Canvas first(3, 3, bgr(10, 20, 30)), second(3, 3, bgr(1, 1, 1)), dest(3, 3, 0x00ABCDEF);
    for (int32_t flags : kFlagSets) {
        SCOPED_TRACE(flags);
        EXPECT_EQ(px_AddBlend(stale, 0, 0, 3, 3, first.hdc(), 0, 0, second.hdc(), 0, 0, flags, 0), 0);
        EXPECT_EQ(px_BitBlt(stale, 0, 0, 3, 3, first.hdc(), 0, 0, flags, 0), 0);
        EXPECT_EQ(px_AddBlend(0, 0, 0, 3, 3, 0, 0, 0, 0, 0, 0, flags, 0), 0);
        // A source that cannot be read counts as black (and black is not the key).
        EXPECT_EQ(px_AddBlend(dest.hdc(), 0, 0, 3, 3, stale, 0, 0, second.hdc(), 0, 0, flags, 0x123456), 0);
        EXPECT_EQ(dest.get(1, 1), bgr(1, 1, 1));
        EXPECT_EQ(px_BitBlt(dest.hdc(), 0, 0, 3, 3, -1, 0, 0, flags, 0), 0);
        EXPECT_EQ(dest.get(2, 2), 0u);
        dest.fill(0x00ABCDEF);
    }
}

// The part of a source rectangle outside its DC reads as black; the part of
// the destination rectangle outside its DC is clipped away.
TEST(BlendBadInput, RectanglesOverTheEdges) {
    for (int32_t packed : {0, kPacked}) {
        SCOPED_TRACE(packed);
        Canvas first(4, 4, bgr(100, 100, 100)), second(4, 4, bgr(10, 10, 10));
        Canvas dest(6, 6, 0x00ABCDEF);
        // First source from (2, 2): only its top-left 2 x 2 is inside.
        px_AddBlend(dest.hdc(), 0, 0, 4, 4, first.hdc(), 2, 2, second.hdc(), 0, 0, packed, 0);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(dest.get(x, y), x < 2 && y < 2 ? bgr(110, 110, 110) : bgr(10, 10, 10)) << x << "," << y;
        EXPECT_EQ(dest.get(4, 4), 0x00ABCDEFu);

        dest.fill(0x00ABCDEF);
        px_BitBlt(dest.hdc(), 4, -2, 4, 4, first.hdc(), 0, 0, packed, 0);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x)
                EXPECT_EQ(dest.get(x, y), x >= 4 && y < 2 ? bgr(100, 100, 100) : 0x00ABCDEFu) << x << "," << y;

        px_BitBlt(dest.hdc(), INT_MIN, INT_MAX, 4, 4, first.hdc(), INT_MAX, INT_MIN, packed, 0);
        EXPECT_EQ(dest.get(0, 5), 0x00ABCDEFu);
    }
}

}  // namespace
