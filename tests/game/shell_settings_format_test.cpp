// SPDX-License-Identifier: GPL-3.0-or-later
// vnbeam.ini as bytes: the checksum, the exact layout the writer produces, and
// the reader over hand-made, edited and damaged files. Random bytes are the
// fuzzer's part (fuzz/settings_reader_fuzz.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "shell/play_keys.h"
#include "shell/settings_format.h"
#include "text/cp932.h"

namespace {

using namespace game::settings;

constexpr std::array<int16_t, kKeyCount> kDefaultKeys = game::defaultKeyCodes();
const Filler kFiller{123, "abcdefg"};
const SettingsValues kStart{.keys = kDefaultKeys};
const SettingsValues kSample{.windowLeft = 1500,
                             .windowTop = 1200,
                             .hiScore = {600, 700, 800, 900, 1000},
                             .hiName = {"ルル子", "  leading blanks", "trailing blank ", "Smith, John", ""},
                             .keys = {65, 83, 68, 70, 71, 13, 17, 18, 81, 100, 102},
                             .unlockStage = 3,
                             .voice = false,
                             .difficulty = 4};

std::vector<std::string> lines(const std::string& file) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t crlf; (crlf = file.find("\r\n", start)) != std::string::npos; start = crlf + 2)
        out.push_back(file.substr(start, crlf - start));
    return out;
}

// The file with line `index` (from 0) replaced.
std::string replaceLine(const std::string& file, size_t index, const std::string& with) {
    std::vector<std::string> ls = lines(file);
    ls.at(index) = with;
    std::string out;
    for (const std::string& l : ls) out += l + "\r\n";
    return out;
}

ReadOutcome readEdited(size_t index, const std::string& with, const SettingsValues& v = kSample) {
    return readSettings(replaceLine(writeSettings(v, kFiller), index, with), kStart);
}

TEST(SettingsChecksum, SumsTheFloorsOfTheTableAndTheStage) {
    EXPECT_EQ(checksum({0, 0, 0, 0, 0}, 2), 2);
    EXPECT_EQ(checksum({600, 700, 800, 900, 1000}, 3), 203);  // 90 + 8 + 3 + 66 + 6 + 30
    EXPECT_EQ(checksum({0, 0, 0, 909, 0}, 2), 92);            // 900 + 9: still 90 for NORMAL
    EXPECT_EQ(checksum({-1, 0, 0, 0, 0}, 2), 1);              // floors go down, not toward zero
}

TEST(SettingsWriter, LaysLinesOutInPrintZonesWithSinglePrecisionPositions) {
    SettingsValues v = kStart;
    v.windowLeft = 1500;
    v.windowTop = -45;
    const std::vector<std::string> ls = lines(writeSettings(v, kFiller));
    ASSERT_EQ(ls.size(), 19u);
    EXPECT_EQ(ls[0], " 1500         -45 ");
    EXPECT_EQ(ls[2], "\"\"") << "an empty name, quoted so it reads back as one";
    EXPECT_EQ(ls[12],
              " 90            66            88            86            67            32            16   "
              "         77            84            37            39 ");
    EXPECT_EQ(ls[13], " 2            True           123 ");
    EXPECT_EQ(ls[15], " 0             0             1             1             1 ");
    EXPECT_EQ(ls[17], "abcdefg       = Code(113)");
    // A value that ends exactly on a zone boundary still moves on a zone.
    EXPECT_EQ(lines(writeSettings(v, {0, "abcdefghijklmn"}))[17], "abcdefghijklmn              = Code(113)");
    struct Position {
        float value;
        const char* written;
    };
    const Position positions[] = {
        {.value = 0.5f, .written = " .5 "},
        {.value = -0.25f, .written = "-.25 "},
        {.value = 12345678.0f, .written = " 1.234568E+07 "},
    };
    for (const Position& p : positions) {
        v.windowLeft = p.value;
        EXPECT_EQ(lines(writeSettings(v, kFiller))[0].substr(0, strlen(p.written)), p.written) << p.value;
    }
}

// What a name cannot carry in the file is marked, and the next name
// does not move; the rest of a round trip is the fuzzer's part.
TEST(SettingsRoundTrip, WhatANameCannotCarryIsMarkedAlone) {
    // Trail bytes like "\\" and vendor extensions come back; the wave dash Linux
    // input methods type becomes the one code page 932 has.
    struct Case {
        const char* name;
        const char* readBack;
    };
    const Case cases[] = {
        {.name = "say \"hi\"", .readBack = "say ?hi?"},     {.name = "a\r\nb", .readBack = "a??b"},
        {.name = "A\xF0\x9F\x98\x80Z", .readBack = "A?Z"},  {.name = "\xFF\xFEzz", .readBack = "??zz"},
        {.name = "ソ表ﾒﾆｭｰ①髙", .readBack = "ソ表ﾒﾆｭｰ①髙"}, {.name = "〜", .readBack = "～"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsValues named = kStart;
        named.hiName[1] = c.name;
        ReadOutcome back = readSettings(writeSettings(named, kFiller), kStart);
        EXPECT_TRUE(back.ok);
        EXPECT_TRUE(back.checksumOk);
        EXPECT_EQ(back.values.hiName[1], c.readBack);
        EXPECT_EQ(back.values.hiName[2], "") << "the next name stays where it was";
    }
}

TEST(SettingsReader, ReadsFilesMadeByHand) {
    const std::string taro = platform::text::toCp932("太郎");
    for (const std::string& file :
         {// commas, no blanks, items running across lines
          "1500,1200 100,Bob\r\n23,Alice Smith\r\n0,\"\",10," + taro +
              "\r\n15,\"x, y\",7,90,66,88,86,67,32,16,77,84,37,39,3,False\r\n+4.0\r\ngarbage after line 15",
          // blanks as written, LF only, no lines after 15
          " 1500   1200 \n 100 \nBob\n 23 \nAlice Smith\n 0 \n\n 10 \n" + taro +
              "\n 15 \n\"x, y\"\n 7 \n 90 66 88 86 67 32 16 77 84 37 39 \n 3 False 17 \n 4 "}) {
        ReadOutcome r = readSettings(file, kStart);
        ASSERT_TRUE(r.ok) << r.problem;
        ASSERT_TRUE(r.checksumOk);
        EXPECT_EQ(r.values.windowLeft, 1500);
        EXPECT_EQ(r.values.windowTop, 1200);
        EXPECT_EQ(r.values.keys, kDefaultKeys);
        EXPECT_EQ(r.values.hiScore, (std::array<int32_t, kTableSize>{100, 23, 0, 10, 15}));
        EXPECT_EQ(r.values.hiName, (std::array<std::string, kTableSize>{"Bob", "Alice Smith", "", "太郎", "x, y"}));
        EXPECT_EQ(r.values.unlockStage, 3);
        EXPECT_FALSE(r.values.voice);
        EXPECT_EQ(r.values.difficulty, 4);
    }
}

// The sample file with its first name line holding `name` as raw bytes, as a
// text editor saved it in UTF-8: every line converted, the game's mark too.
ReadOutcome readSavedAsUtf8(const std::string& name) {
    return readSettings(replaceLine(platform::text::fromCp932(writeSettings(kSample, kFiller)), 2, name), kStart);
}

// Each name alone in a file of ASCII otherwise, the hardest case for the rule,
// once as the game writes it and once as a text editor saves it in UTF-8.
TEST(SettingsReader, NamesComeBackAsWrittenInEitherEncodingAndGoBackInCodePage932) {
    const char* names[] = {"山田太郎", "ルル子", "渡辺", "齋藤", "髙橋", "﨑山", "濱田", "さくら", "ミズカ", "★ルル子★",
                           "♪ゆき♪",
                           // half-width katakana, whose code page 932 bytes are UTF-8 lead and trail bytes
                           "ﾃｽﾄｱ", "ﾎｲﾐｱ", "ﾓｰﾂｧﾙﾄ", "ﾂｶ", "ﾐｽﾞｶ", "ﾙﾙ子", "ルルｺ", "ｶﾀｶﾅ ﾃﾞｽ",
                           // code page 932 bytes that are valid UTF-8 as well ("あい", "ぢ")
                           "縺ゅ＞", "縺｢"};
    for (const char* name : names) {
        const std::string cp932 = platform::text::toCp932(name);
        const ReadOutcome asWritten = readEdited(2, cp932);
        const ReadOutcome asEdited = readSavedAsUtf8(name);
        for (const ReadOutcome& r : {asWritten, asEdited}) {
            ASSERT_TRUE(r.ok) << name;
            EXPECT_EQ(r.values.hiName[0], name);
            EXPECT_EQ(lines(writeSettings(r.values, kFiller))[2], cp932) << name;
        }
        EXPECT_FALSE(asWritten.utf8) << name;
        EXPECT_TRUE(asEdited.utf8) << name;
    }
    // A name code page 932 cannot hold is read whole and stored with "?".
    ReadOutcome emoji = readSavedAsUtf8("ルル子\xF0\x9F\x98\x80");
    EXPECT_TRUE(emoji.utf8);
    EXPECT_EQ(emoji.values.hiName[0], "ルル子\xF0\x9F\x98\x80");
    bool lost = false;
    EXPECT_EQ(nameAsStored(emoji.values.hiName[0], &lost), "ルル子?");
    EXPECT_TRUE(lost);
    EXPECT_EQ(nameAsStored("ルル子", &lost), "ルル子");
    EXPECT_FALSE(lost);
    EXPECT_EQ(nameAsStored("say \"hi\"", &lost), "say ?hi?");
    EXPECT_TRUE(lost) << "a double quote is told like any other character the file cannot hold";
}

// A file without the game's mark (made by hand, or by an older version) is
// judged by its names alone, as it always was.
TEST(SettingsReader, AFileWithoutTheMarkIsJudgedByItsNames) {
    const std::string file = writeSettings(kSample, kFiller);
    const std::string unmarked = file.substr(0, file.find("Don't touch"));
    const ReadOutcome utf8 = readSettings(replaceLine(unmarked, 2, "山田太郎"), kStart);
    const ReadOutcome cp932 = readSettings(replaceLine(unmarked, 2, platform::text::toCp932("山田太郎")), kStart);
    EXPECT_EQ(utf8.values.hiName[0], "山田太郎");
    EXPECT_EQ(cp932.values.hiName[0], "山田太郎");
    EXPECT_EQ(lines(file).at(18), "Don't touch these datas.    \x83\x56\x83\x74\x83\x67JIS");
}

// Line 14 gives the voice, and only the exact word "False" turns it off; its
// filler never reaches the difficulty on line 15, and a bad difficulty there
// becomes 2, not what the game had.
TEST(SettingsReader, Line14GivesTheVoiceButTheFillerNeverReachesTheDifficulty) {
    for (int16_t d = 0; d < 5; ++d) {
        SettingsValues v = kStart;
        v.difficulty = d;
        for (int32_t filler : {0, (d + 1) % 5, 254})
            EXPECT_EQ(readSettings(writeSettings(v, {filler, "zz"}), kStart).values.difficulty, d) << filler;
        EXPECT_EQ(readEdited(13, " 2 True 4 4 4 4", v).values.difficulty, d) << "extra items on line 14";
    }
    for (const char* line : {" 2 false 1", " 2 Falsch 1"}) EXPECT_TRUE(readEdited(13, line, kStart).values.voice);
    SettingsValues fallback = kStart;
    fallback.difficulty = 1;
    struct Line15 {
        const char* text;
        int16_t difficulty;
    };
    const Line15 cases[] = {
        {.text = " 5 ", .difficulty = 2},   {.text = "-1", .difficulty = 2},    {.text = " 0 ", .difficulty = 0},
        {.text = " 4.5 ", .difficulty = 4}, {.text = " 4.6 ", .difficulty = 2},
    };
    for (const Line15& line15 : cases) {
        SCOPED_TRACE(line15.text);
        ReadOutcome d = readSettings(replaceLine(writeSettings(kSample, kFiller), 14, line15.text), fallback);
        EXPECT_TRUE(d.ok);
        EXPECT_EQ(d.values.difficulty, line15.difficulty);
        EXPECT_EQ(d.values.hiScore, kSample.hiScore);
    }
}

// A raised unlock stage alone is a cheat, not a damaged file: the table is
// marked, the rest kept, and written back with a checksum that fits.
TEST(SettingsReader, EditingOnlyTheUnlockStageFailsTheChecksum) {
    ReadOutcome r = readEdited(13, " 7            False         9 ");
    ASSERT_TRUE(r.ok);
    ASSERT_FALSE(r.checksumOk);
    EXPECT_EQ(std::ranges::count(r.values.hiScore, 1), 5);
    EXPECT_EQ(std::ranges::count(r.values.hiName, kCheatName), 5);
    EXPECT_EQ(r.values.unlockStage, 7);
    EXPECT_EQ(r.values.keys, kSample.keys);
    EXPECT_EQ(r.values.difficulty, 4);
    EXPECT_TRUE(readSettings(writeSettings(r.values, kFiller), kStart).checksumOk);
}

TEST(SettingsReader, DamagedFilesGiveTheStartValuesBack) {
    const std::string good = writeSettings(kSample, kFiller);
    SettingsValues fallback = kStart;
    fallback.hiName[0] = "kept";
    for (const std::string& file :
         {std::string(), std::string("  \r\n\r\n \t \n"), replaceLine(good, 0, "left top"),
          replaceLine(good, 1, " 600x "), replaceLine(good, 1, "&H10"), replaceLine(good, 5, " 2147483648 "),
          replaceLine(good, 13, " 40000 True 1"), replaceLine(good, 2, "\"Bob"),
          replaceLine(good, 12, " 90 66 88 86 67 32 16 77 84 37 x"), replaceLine(good, 11, "inf")}) {
        ReadOutcome r = readSettings(file, fallback);
        EXPECT_FALSE(r.ok) << file;
        EXPECT_EQ(r.values, fallback) << file;
    }
    // Cut anywhere before the difficulty digit that starts line 15: damaged; after it: whole.
    size_t digitEnd = 0;
    for (int n = 0; n < 14; ++n) digitEnd = good.find("\r\n", digitEnd) + 2;
    digitEnd += 2;  // " 4"
    for (size_t cut = 0; cut <= good.size(); ++cut) {
        ReadOutcome r = readSettings(std::string_view(good).substr(0, cut), fallback);
        ASSERT_EQ(r.ok, cut >= digitEnd) << "cut at " << cut;
        ASSERT_EQ(r.values, r.ok ? kSample : fallback) << "cut at " << cut;
    }
}

}  // namespace
