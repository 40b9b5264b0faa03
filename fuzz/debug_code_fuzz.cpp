// SPDX-License-Identifier: GPL-3.0-or-later
// Any text typed into the debug prompt reads as a code or as nothing, and the
// number it gives is always a finite value inside 32 bits.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "menu/debug_code.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    double n = game::readDecimalNumber(text);
    if (!std::isfinite(n)) std::abort();
    auto code = game::parseDebugCode(text);
    if (size < 2 && code) std::abort();
    return 0;
}
