#include <gtest/gtest.h>

#include "pxmix.h"

extern "C" int pxmix_c_abi_check(void);

namespace {

TEST(BlendCAbi, PlainCProgramDrivesTheExports) { EXPECT_EQ(pxmix_c_abi_check(), 0) << "step that failed"; }

#if defined(__x86_64__)
// Every x86-64 processor has MMX.
TEST(BlendCAbi, CheckMmxOnX86_64) { EXPECT_EQ(px_CheckMmx(), 1); }
#endif

}  // namespace
