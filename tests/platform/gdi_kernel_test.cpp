// GlobalAlloc/GlobalFree and the installable millisecond tick.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "wingdi.h"

namespace {

TEST(GdiGlobalMemory, ZeroInitFillsWithZeros) {
    const size_t sizes[] = {0, 1, 3, 64, 4096, 1 << 20};
    for (size_t n : sizes) {
        SCOPED_TRACE(n);
        // Dirty a block of the same size first, so a reused one would show it.
        auto* dirty = static_cast<unsigned char*>(GlobalAlloc(GMEM_FIXED, n));
        ASSERT_NE(dirty, nullptr);
        std::memset(dirty, 0xA5, n);
        EXPECT_EQ(GlobalFree(dirty), nullptr);

        auto* block = static_cast<unsigned char*>(GlobalAlloc(GPTR, n));
        ASSERT_NE(block, nullptr);
        for (size_t i = 0; i < n; ++i) ASSERT_EQ(block[i], 0) << "byte " << i;
        EXPECT_EQ(GlobalFree(block), nullptr);
    }
}

TEST(GdiGlobalMemory, FreeRefusesWhatItDidNotGive) {
    void* block = GlobalAlloc(GPTR, 16);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalFree(block), block) << "second free";
    int local = 0;
    EXPECT_EQ(GlobalFree(&local), &local);
    EXPECT_EQ(GlobalFree(nullptr), nullptr);
}

TEST(GdiGlobalMemory, RefusesAbsurdSizes) {
    EXPECT_EQ(GlobalAlloc(GPTR, (size_t{1} << 30) + 1), nullptr);
    EXPECT_EQ(GlobalAlloc(GPTR, SIZE_MAX), nullptr);
}

struct VirtualClock {
    int32_t now = 0;
    int reads = 0;
    static int32_t read(void* self) {
        auto* c = static_cast<VirtualClock*>(self);
        ++c->reads;
        return c->now;
    }
};

TEST(GdiTick, ReadsTheInstalledClockAndWraps) {
    VirtualClock clock;
    lbSetTickSource(&VirtualClock::read, &clock);
    const int32_t values[] = {0, 1, INT32_MAX, INT32_MIN, -1};
    for (int32_t v : values) {
        clock.now = v;
        EXPECT_EQ(GetTickCount(), v);
    }
    EXPECT_EQ(clock.reads, 5);
    lbSetTickSource(nullptr, nullptr);
}

// A clock that swaps itself out from inside a read must not deadlock.
TEST(GdiTick, ASourceMayReinstallFromInsideARead) {
    static VirtualClock next;
    next.now = 77;
    lbSetTickSource([](void*) -> int32_t {
        lbSetTickSource(&VirtualClock::read, &next);
        return 5;
    }, nullptr);
    EXPECT_EQ(GetTickCount(), 5);
    EXPECT_EQ(GetTickCount(), 77);
    lbSetTickSource(nullptr, nullptr);
}

TEST(GdiTick, SteadyClockCountsMilliseconds) {
    lbSetTickSource(nullptr, nullptr);
    const int32_t start = GetTickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const int32_t elapsed = static_cast<int32_t>(uint32_t(GetTickCount()) - uint32_t(start));
    EXPECT_GE(elapsed, 29);
    EXPECT_LT(elapsed, 5000);
}

}  // namespace

TEST(GdiTick, MicrosUntilATickOfTheSteadyClock) {
    const int32_t now = GetTickCount();
    EXPECT_EQ(lbMicrosUntilTick(now), 0) << "a tick already reached";
    EXPECT_EQ(lbMicrosUntilTick(now - 1000), 0);
    const int64_t ahead = lbMicrosUntilTick(now + 5);
    EXPECT_GT(ahead, 3000);
    EXPECT_LE(ahead, 5000);
    // A virtual clock's future is unknown: no sleep can be planned on it.
    lbSetTickSource([](void*) { return int32_t{7}; }, nullptr);
    EXPECT_EQ(lbMicrosUntilTick(100), 0);
    lbSetTickSource(nullptr, nullptr);
}
