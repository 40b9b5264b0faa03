// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the codes typed into the debug prompt: a command letter, one
// separator character and a number.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace game {

// The number at the start of `text`: blanks are skipped wherever they are,
// reading stops at the first character that can't continue
// [sign] digits [. digits] [e|E [sign] digits], and no digits at all give 0.
// Magnitudes beyond 1e18 come back as +-1e18 (past every variable's range);
// the result is always finite.
double readDecimalNumber(std::string_view text);

struct DebugCode {
    char letter = 0;     // the first character; 0 when it isn't a single byte
    int32_t number = 0;  // rounded half to even, saturated to 32 bits
};

// nullopt for a code of fewer than two characters. Characters are UTF-8
// sequences, so a full-width separator is skipped whole.
std::optional<DebugCode> parseDebugCode(std::string_view code);

}  // namespace game
