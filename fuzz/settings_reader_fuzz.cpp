// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target over the vnbeam.ini reader: whatever the bytes, the reader
// returns, every key code and the difficulty can index their tables, a damaged
// file changes nothing, and what was read writes and reads back the same (names
// as code page 932 stores them).
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "shell/settings_format.h"

namespace {

using namespace game::settings;

void require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "settings reader: %s\n", what);
    std::abort();
}

SettingsValues startValues() {
    SettingsValues v;
    v.keys = game::defaultKeyCodes();
    return v;
}

void requireUsable(const SettingsValues& v) {
    for (int16_t k : v.keys) require(k >= kLowestKey && k <= kHighestKey, "key code out of range");
    require(game::isDifficulty(v.difficulty), "difficulty out of range");
}

// Positions pass through single precision, which holds every integer only up
// to 2^24; beyond that a round trip may move them by a few units of 2^-24.
bool closeEnough(float a, float b) { return a == b || std::fabs(a - b) <= std::fabs(a) * 1e-6f; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const SettingsValues fallback = startValues();
    const ReadOutcome first = readSettings(bytes, fallback);
    requireUsable(first.values);
    if (!first.ok) {
        require(first.values == fallback, "a damaged file changed the values");
        return 0;
    }

    SettingsValues expected = first.values;
    for (std::string& name : expected.hiName) name = nameAsStored(name);
    const ReadOutcome second = readSettings(writeSettings(first.values, Filler{17, "fuzz\r\n\"x"}), fallback);
    require(second.ok, "a written file did not read back");
    require(second.checksumOk, "a written file failed its own checksum");
    require(closeEnough(second.values.windowLeft, expected.windowLeft) &&
                closeEnough(second.values.windowTop, expected.windowTop),
            "the window position moved");
    SettingsValues got = second.values;
    got.windowLeft = expected.windowLeft;
    got.windowTop = expected.windowTop;
    // The game's own file is never guessed to be UTF-8, even where its code
    // page 932 bytes would read as UTF-8 too.
    require(!second.utf8, "a written file was read as UTF-8");
    require(got == expected, "a written file read back different values");
    return 0;
}
