// SPDX-License-Identifier: GPL-3.0-or-later
// vnbeam.ini as bytes: the 19-line text the game writes and the item-by-item
// reading that takes it back. No files and no window here, so the format can be
// tested and fuzzed on its own; shell/settings_file.cpp does the file work.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "shell/play_keys.h"
#include "shell/random.h"

namespace game::settings {

constexpr int kTableSize = kDifficulties;  // one best score each
constexpr int kKeyCount = kPlayKeyCount;   // in the places the key table gives
constexpr int16_t kLowestKey = 1;
constexpr int16_t kHighestKey = 254;
constexpr int16_t kFallbackDifficulty = kEasy;
constexpr int kPrintZone = 14;
inline constexpr const char* kCheatName = "卑怯";
inline constexpr const char* kDamagedSuffix = ".bad";  // vnbeam.ini.bad, then .bad2, ...

// Everything the file carries. Names are UTF-8 here and code page 932 in the
// file (or UTF-8, when a text editor saved it so; it is written back in code
// page 932).
struct SettingsValues {
    float windowLeft = 0, windowTop = 0;  // twips
    std::array<int32_t, kTableSize> hiScore{};
    std::array<std::string, kTableSize> hiName{};
    std::array<int16_t, kKeyCount> keys{};
    int16_t unlockStage = 2;
    bool voice = true;
    int16_t difficulty = kEasy;

    bool operator==(const SettingsValues&) const = default;
};

// The checksum over the table and the unlock stage, summed in this order in
// double precision, as files of every installation carry it.
double checksum(const std::array<int32_t, kTableSize>& hiScore, int16_t unlockStage);

// The random parts of lines 14 and 18, which nothing reads.
struct Filler {
    int32_t number = 0;  // 0 ... 254
    std::string text;    // 6 ... 20 bytes of any value
};
// Draws the text first, then the number, the order the writer always used.
Filler drawFiller(Random& rnd);

// A name as the file can carry it: the double quote (which would end a quoted
// item) and line breaks (which would end the line) become "?", like any other
// character the file cannot hold; `lost` tells whether that happened.
std::string storableName(std::string_view name, bool* lost = nullptr);
// The name as the next write will store it and read it back: what code page
// 932 cannot hold becomes "?", and `lost` tells whether that happened.
std::string nameAsStored(std::string_view name, bool* lost = nullptr);

// The whole file, code page 932 with CR LF line ends; the last line carries a
// mark that tells the reader the game wrote it.
std::string writeSettings(const SettingsValues& values, const Filler& filler);

struct ReadOutcome {
    bool ok = false;          // false: damaged; `values` is then the fallback unchanged
    std::string problem;      // what was wrong, for tests and the fuzzer
    bool checksumOk = false;  // false: the table was replaced by the cheat table
    bool utf8 = false;        // the names were read as UTF-8
    SettingsValues values;
};
// Reads the first 15 lines item by item. `fallback` holds the values the game
// had before the read: a damaged file gives them back unchanged, a key code
// outside 1 ... 254 falls back to that key of it, a difficulty outside 0 ... 4
// to 2. The voice stays as in `fallback` unless the voice word is "False".
ReadOutcome readSettings(std::string_view bytes, const SettingsValues& fallback);

}  // namespace game::settings
