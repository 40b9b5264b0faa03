// SPDX-License-Identifier: GPL-3.0-or-later
// GlobalAlloc/GlobalFree and the millisecond tick.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "wingdi.h"

namespace {

TEST(GdiGlobalMemory, ZeroInitFillsAndFreeRefusesWhatItDidNotGive) {
    for (size_t n : {size_t{0}, size_t{3}, size_t{1} << 20}) {
        // Dirty a block of the same size first, so a reused one would show it.
        void* dirty = GlobalAlloc(GMEM_FIXED, n);
        std::memset(dirty, 0xA5, n);
        EXPECT_EQ(GlobalFree(dirty), nullptr);
        auto* block = static_cast<unsigned char*>(GlobalAlloc(GPTR, n));
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(std::count(block, block + n, 0), std::ptrdiff_t(n)) << n << " bytes";
        EXPECT_EQ(GlobalFree(block), nullptr);
        EXPECT_EQ(GlobalFree(block), block) << "second free";
    }
    EXPECT_EQ(GlobalAlloc(GPTR, SIZE_MAX), nullptr);
}

TEST(GdiTick, SteadyClockCountsMillisecondsAndPlansSleeps) {
    lbSetTickSource(nullptr, nullptr);
    const int32_t start = GetTickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const int32_t elapsed = static_cast<int32_t>(uint32_t(GetTickCount()) - uint32_t(start));
    EXPECT_GE(elapsed, 29);
    EXPECT_LT(elapsed, 5000);
    const int32_t now = GetTickCount();
    EXPECT_EQ(lbMicrosUntilTick(now - 1), 0) << "a tick already reached";
    const int64_t ahead = lbMicrosUntilTick(now + 5);
    // A thread put aside between the two calls (a loaded machine) comes back later.
    EXPECT_GT(ahead, 3000 - 1000 * (GetTickCount() - now));
    EXPECT_LE(ahead, 5000);
    // A virtual clock's future is unknown: no sleep can be planned on it.
    lbSetTickSource([](void*) { return int32_t{7}; }, nullptr);
    EXPECT_EQ(GetTickCount(), 7);
    EXPECT_EQ(lbMicrosUntilTick(100), 0);
    lbSetTickSource(nullptr, nullptr);
}

}  // namespace
