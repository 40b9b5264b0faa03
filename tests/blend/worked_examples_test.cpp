// The worked examples of every operation, plain and packed, over rectangles of
// one, an odd and an even number of pixels, so the packed routines' pairs and
// their odd last pixel both meet each example.
#include <gtest/gtest.h>

#include "blend_canvas.h"

using namespace blendtest;

namespace {

struct Example {
    const char* name;
    Op op;
    int32_t flags;  // without the packed bit: each example runs both ways
    uint32_t first, second, want;
};

const Example kExamples[] = {
    {"add saturates per channel", Op::Add, 0, bgr(200, 100, 50), bgr(100, 100, 100), bgr(255, 200, 150)},
    {"add of black", Op::Add, 0, bgr(1, 2, 3), 0, bgr(1, 2, 3)},
    {"add of white", Op::Add, 0, bgr(255, 255, 255), bgr(255, 255, 255), bgr(255, 255, 255)},
    {"subtract clamps at 0", Op::Sub, 0, bgr(50, 100, 200), bgr(100, 100, 100), bgr(0, 0, 100)},
    {"subtract the other way round", Op::Sub, 0, bgr(100, 100, 100), bgr(50, 100, 200), bgr(50, 0, 0)},
    {"50 %: 255 and 0, 255 and 1, 1 and 0", Op::Half, 0, bgr(255, 255, 1), bgr(0, 1, 0), bgr(127, 128, 0)},
    {"50 % keeps channels apart", Op::Half, 0, bgr(1, 1, 1), bgr(1, 0, 1), bgr(1, 0, 1)},
    {"alpha 128", Op::Alpha, 128, bgr(255, 0, 77), bgr(0, 255, 200), bgr(127, 127, 138)},
    {"alpha 255 leaves the first or one less", Op::Alpha, 255, bgr(255, 0, 77), bgr(0, 255, 200), bgr(254, 0, 77)},
    {"alpha 0 gives the second", Op::Alpha, 0, bgr(255, 0, 77), bgr(0, 255, 200), bgr(0, 255, 200)},
    {"alpha of equal channels", Op::Alpha, 99, bgr(9, 200, 255), bgr(9, 200, 255), bgr(9, 200, 255)},
    {"copy", Op::Copy, 0, bgr(12, 34, 56), bgr(255, 255, 255), bgr(12, 34, 56)},
    {"unused flag bits are ignored", Op::Add, int32_t(0xFFFFFC00u) | 0xFF, bgr(200, 100, 50), bgr(100, 100, 100), bgr(255, 200, 150)},
    {"alpha ignores the bits above its byte", Op::Alpha, 0x7C00 | 128, bgr(255, 0, 77), bgr(0, 255, 200), bgr(127, 127, 138)},
};

struct Size {
    int w, h;
};
const Size kSizes[] = {{1, 1}, {3, 3}, {4, 2}, {25, 22}};

TEST(BlendExamples, EveryPixelOfEveryRectangle) {
    for (const auto& e : kExamples) {
        for (int32_t packed : {0, kPacked}) {
            for (const auto& s : kSizes) {
                SCOPED_TRACE(testing::Message() << e.name << (packed ? ", packed, " : ", plain, ") << s.w << "x" << s.h);
                Canvas first(s.w, s.h, e.first), second(s.w, s.h, e.second), dest(s.w, s.h, 0x00ABCDEF);
                EXPECT_EQ(callWhole(e.op, dest, first, second, e.flags | packed), 0);
                int wrong = 0;
                for (int y = 0; y < s.h; ++y)
                    for (int x = 0; x < s.w; ++x)
                        if (dest.get(x, y) != e.want && wrong++ == 0)
                            ADD_FAILURE() << std::hex << "pixel " << std::dec << x << "," << y << " is 0x"
                                          << std::hex << dest.get(x, y) << ", want 0x" << e.want;
                EXPECT_EQ(wrong, 0);
                EXPECT_EQ(dest.raw(0, 0) >> 24, 0xFFu) << "the device keeps its X byte";
            }
        }
    }
}

// The bottom-left pixel is buffer pixel 0 and the top-right one the last: a
// routine that skips either leaves black there.
TEST(BlendExamples, FirstAndLastBufferPixelsAreProcessed) {
    struct Corners {
        Op op;
        uint32_t bottomLeft, topRight, elsewhere;
    };
    // First source: bgr(200, 0, 0) bottom-left, bgr(0, 0, 200) top-right, grey 40
    // elsewhere; second source grey 20; alpha 255.
    const Corners cases[] = {
        {Op::Add, bgr(220, 20, 20), bgr(20, 20, 220), bgr(60, 60, 60)},
        {Op::Sub, bgr(180, 0, 0), bgr(0, 0, 180), bgr(20, 20, 20)},
        {Op::Half, bgr(110, 10, 10), bgr(10, 10, 110), bgr(30, 30, 30)},
        {Op::Alpha, bgr(199, 0, 0), bgr(0, 0, 199), bgr(39, 39, 39)},
        {Op::Copy, bgr(200, 0, 0), bgr(0, 0, 200), bgr(40, 40, 40)},
    };
    for (const auto& c : cases) {
        for (int32_t packed : {0, kPacked}) {
            for (const auto& s : kSizes) {
                if (s.w * s.h < 2) continue;
                SCOPED_TRACE(testing::Message() << name(c.op) << (packed ? " packed " : " plain ") << s.w << "x" << s.h);
                Canvas first(s.w, s.h, bgr(40, 40, 40)), second(s.w, s.h, bgr(20, 20, 20));
                Canvas dest(s.w, s.h, 0x00FFFFFF);
                first.set(0, s.h - 1, bgr(200, 0, 0));
                first.set(s.w - 1, 0, bgr(0, 0, 200));
                callWhole(c.op, dest, first, second, packed | 255);
                EXPECT_EQ(dest.get(0, s.h - 1), c.bottomLeft);
                EXPECT_EQ(dest.get(s.w - 1, 0), c.topRight);
                EXPECT_EQ(dest.get(s.w - 1, s.h - 1), c.elsewhere);
                EXPECT_EQ(dest.get(0, 0), c.elsewhere);
            }
        }
    }
}

}  // namespace
