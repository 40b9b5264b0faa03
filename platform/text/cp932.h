// SPDX-License-Identifier: GPL-3.0-or-later
// Code page 932 (Shift_JIS with Microsoft's extensions), the code page the
// settings file has always been written in, and UTF-8, the game's text inside.
#pragma once

#include <string>
#include <string_view>

namespace platform::text {

// A character the other side cannot hold becomes "?" and the rest of the text
// is kept; `lost`, when given, tells whether that happened.
std::string toCp932(std::string_view utf8, bool* lost = nullptr);
std::string fromCp932(std::string_view cp932, bool* lost = nullptr);

bool isUtf8(std::string_view bytes);

// Whether text from a file that is normally code page 932 was saved as UTF-8 by
// a text editor. Both readings of the same bytes can be valid, so the rule
// leans to code page 932, which keeps the bytes as they are: the text must be
// valid UTF-8 with something beyond ASCII, and, where it also reads as code
// page 932, its UTF-8 reading must be text the game could have written itself:
// only characters code page 932 holds, and none of the two-byte range (Latin,
// Greek, Cyrillic), which is what pairs of half-width katakana look like.
bool readsAsUtf8(std::string_view bytes);

}  // namespace platform::text
