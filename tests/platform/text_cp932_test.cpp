// SPDX-License-Identifier: GPL-3.0-or-later
// Code page 932 and UTF-8: the conversions both ways, what is lost on the way,
// and the rule that tells a settings file a text editor saved as UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "text/cp932.h"

namespace {

using platform::text::fromCp932;
using platform::text::isUtf8;
using platform::text::readsAsUtf8;
using platform::text::toCp932;

TEST(TextCp932, ConvertsBothWaysAndMarksWhatTheOtherSideCannotHold) {
    struct Case {
        const char* name;
        std::string utf8, cp932;
        bool lostGoing = false;     // toCp932 marks a character with "?"
        std::string cameBack = {};  // fromCp932 of cp932, when not utf8
    };
    const Case cases[] = {
        {.name = "ASCII", .utf8 = "Bob 1", .cp932 = "Bob 1"},
        {.name = "kana and kanji", .utf8 = "ルル子", .cp932 = "\x83\x8B\x83\x8B\x8E\x71"},
        {.name = "half-width katakana", .utf8 = "ﾃｽﾄ", .cp932 = "\xC3\xBD\xC4"},
        {.name = "a NEC extension", .utf8 = "①", .cp932 = "\x87\x40"},
        {.name = "Greek", .utf8 = "α", .cp932 = "\x83\xBF"},
        // The wave dash Linux input methods type becomes the one code page 932 has.
        {.name = "wave dash", .utf8 = "〜", .cp932 = "\x81\x60", .cameBack = "～"},
        {.name = "an emoji", .utf8 = "A\xF0\x9F\x98\x80Z", .cp932 = "A?Z", .lostGoing = true, .cameBack = "A?Z"},
        {.name = "bytes that are not UTF-8",
         .utf8 = "\xFF\xFEzz",
         .cp932 = "??zz",
         .lostGoing = true,
         .cameBack = "??zz"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool lost = !c.lostGoing;
        EXPECT_EQ(toCp932(c.utf8, &lost), c.cp932);
        EXPECT_EQ(lost, c.lostGoing);
        lost = true;
        EXPECT_EQ(fromCp932(c.cp932, &lost), c.cameBack.empty() ? c.utf8 : c.cameBack);
        EXPECT_FALSE(lost);
    }
}

TEST(TextCp932, BytesThatAreNotCodePage932AreMarkedComingBack) {
    struct Case {
        const char* name;
        std::string cp932, utf8;
    };
    const Case cases[] = {
        {.name = "a lead byte at the end", .cp932 = "ab\x83", .utf8 = "ab?"},
        {.name = "an undefined byte", .cp932 = "a\xA0z", .utf8 = "a?z"},
        {.name = "a lead byte without its trail", .cp932 = "\x83 z", .utf8 = "? z"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool lost = false;
        EXPECT_EQ(fromCp932(c.cp932, &lost), c.utf8);
        EXPECT_TRUE(lost);
    }
}

// Bytes that may be either leave the file in code page 932 unless the UTF-8
// reading is text the game could have written itself.
TEST(TextCp932, AFileReadsAsUtf8OnlyWhenCodePage932CouldNotHaveWrittenIt) {
    struct Case {
        const char* name;
        std::string bytes;
        bool utf8, readsAsUtf8;
    };
    const Case cases[] = {
        {.name = "ASCII only", .bytes = "Bob 1", .utf8 = true, .readsAsUtf8 = false},
        {.name = "kanji in UTF-8", .bytes = "山田太郎", .utf8 = true, .readsAsUtf8 = true},
        {.name = "half-width katakana in UTF-8", .bytes = "ﾃｽﾄｱ", .utf8 = true, .readsAsUtf8 = true},
        {.name = "kanji in code page 932", .bytes = "\x83\x8B\x83\x8B\x8E\x71", .utf8 = false, .readsAsUtf8 = false},
        // ﾎｱ in code page 932 is α in UTF-8: a two-byte character the game never writes.
        {.name = "half-width katakana pairs", .bytes = "\xCE\xB1", .utf8 = true, .readsAsUtf8 = false},
        // ﾃ and an undefined byte in code page 932: only UTF-8 reads it.
        {.name = "À, no code page 932", .bytes = "\xC3\x80", .utf8 = true, .readsAsUtf8 = true},
        {.name = "縺ゅ＞ in code page 932, あい in UTF-8", .bytes = "あい", .utf8 = true, .readsAsUtf8 = true},
        {.name = "an emoji", .bytes = "\xF0\x9F\x98\x80", .utf8 = true, .readsAsUtf8 = true},
        {.name = "a cut UTF-8 character", .bytes = "\xE5\xB1", .utf8 = false, .readsAsUtf8 = false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(isUtf8(c.bytes), c.utf8);
        EXPECT_EQ(readsAsUtf8(c.bytes), c.readsAsUtf8);
    }
}

}  // namespace
