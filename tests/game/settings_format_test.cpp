// vnbeam.ini as bytes: the checksum, the exact layout the writer produces, and
// the reader over hand-made, edited and damaged files.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "shell/settings_format.h"

namespace {

using namespace game::settings;

constexpr std::array<int16_t, kKeyCount> kDefaultKeys = {90, 66, 88, 86, 67, 32, 16, 77, 84, 37, 39};

SettingsValues startValues() {
    SettingsValues v;
    v.keys = kDefaultKeys;
    return v;
}

SettingsValues sample() {
    SettingsValues v = startValues();
    v.windowLeft = 1500;
    v.windowTop = 1200;
    v.hiScore = {600, 700, 800, 900, 1000};
    v.hiName = {"ルル子", "  leading blanks", "trailing blank ", "Smith, John", ""};
    v.keys = {65, 83, 68, 70, 71, 13, 17, 18, 81, 100, 102};
    v.unlockStage = 3;
    v.voice = false;
    v.difficulty = 4;
    return v;
}

const Filler kPlainFiller{123, "abcdefg"};

std::vector<std::string> lines(const std::string& file) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t crlf; (crlf = file.find("\r\n", start)) != std::string::npos; start = crlf + 2)
        out.push_back(file.substr(start, crlf - start));
    if (start < file.size()) out.push_back(file.substr(start));
    return out;
}

std::string replaceLine(const std::string& file, size_t index, const std::string& with) {
    std::vector<std::string> ls = lines(file);
    ls.at(index) = with;
    std::string out;
    for (const std::string& l : ls) out += l + "\r\n";
    return out;
}

// Where line `index` (0 = line 1) starts.
size_t lineStart(const std::string& file, int index) {
    size_t p = 0;
    for (int n = 0; n < index; ++n) p = file.find("\r\n", p) + 2;
    return p;
}

void expectUsable(const ReadOutcome& r) {
    for (int16_t k : r.values.keys) {
        EXPECT_GE(k, kLowestKey);
        EXPECT_LE(k, kHighestKey);
    }
    EXPECT_GE(r.values.difficulty, 0);
    EXPECT_LE(r.values.difficulty, 4);
}

TEST(SettingsChecksum, SumsTheFloorsOfTheTableAndTheStage) {
    struct Case {
        std::array<int32_t, kTableSize> table;
        int16_t stage;
        double sum;
    } cases[] = {
        {{0, 0, 0, 0, 0}, 2, 2},
        {{600, 700, 800, 900, 1000}, 3, 203},  // 90 + 8 + 3 + 66 + 6 + 30
        {{0, 0, 0, 909, 0}, 2, 92},            // 900 + 9: still 90 for NORMAL
        {{0, 0, 0, 910, 0}, 2, 93},
        {{99, 22, 99, 9, 14}, 7, 7},           // every division below its divisor
        {{-1, 0, 0, 0, 0}, 2, 1},              // floors go down, not toward zero
    };
    for (const Case& c : cases) EXPECT_EQ(checksum(c.table, c.stage), c.sum) << c.table[3];
}

TEST(SettingsWriter, LaysLinesOutInPrintZones) {
    SettingsValues v = startValues();
    v.windowLeft = 1500;
    v.windowTop = -45;
    v.voice = true;
    const std::vector<std::string> ls = lines(writeSettings(v, kPlainFiller));
    ASSERT_EQ(ls.size(), 19u);
    struct Case {
        size_t line;
        std::string text;
    } cases[] = {
        {0, " 1500         -45 "},
        {1, " 0 "},
        {2, "\"\""},  // an empty name, quoted so it reads back as one
        {11, " 2 "},
        {12, " 90            66            88            86            67           "
             " 32            16            77            84            37            39 "},
        {13, " 2            True           123 "},
        {14, " 2 "},
        {15, " 0             0             1             1             1 "},
        {16, "<!> Warning <!>"},
        {17, "abcdefg       = Code(113)"},
        {18, "Don't touch these datas."},
    };
    for (const Case& c : cases) EXPECT_EQ(ls[c.line], c.text) << "line " << c.line + 1;

    // A value that ends exactly on a zone boundary still moves on a zone.
    EXPECT_EQ(lines(writeSettings(v, {0, "abcdefghijklmn"}))[17], "abcdefghijklmn              = Code(113)");
    v.voice = false;
    EXPECT_EQ(lines(writeSettings(v, {0, "x"}))[13], " 2            False          0 ");
}

TEST(SettingsWriter, WritesSinglePrecisionPositionsAsTheRuntimePrintsThem) {
    struct Case {
        float value;
        std::string text;
    } cases[] = {{0, " 0 "}, {1234.5f, " 1234.5 "}, {0.5f, " .5 "}, {-0.25f, "-.25 "}, {12345678, " 1.234568E+07 "}};
    for (const Case& c : cases) {
        SettingsValues v = startValues();
        v.windowLeft = c.value;
        EXPECT_EQ(lines(writeSettings(v, kPlainFiller))[0].substr(0, c.text.size()), c.text) << c.value;
    }
}

TEST(SettingsRoundTrip, EveryFieldComesBackAndTheBytesRepeat) {
    const SettingsValues v = sample();
    const std::string file = writeSettings(v, kPlainFiller);

    ReadOutcome r = readSettings(file, startValues());
    ASSERT_TRUE(r.ok) << r.problem;
    EXPECT_TRUE(r.checksumOk);
    EXPECT_EQ(r.values, v);
    EXPECT_EQ(writeSettings(r.values, kPlainFiller), file);

    // Code page 932 on disk, CR LF after every line and nowhere else.
    const std::vector<std::string> ls = lines(file);
    EXPECT_EQ(ls[2], "\x83\x8B\x83\x8B\x8E\x71");
    EXPECT_EQ(ls[4], "\"  leading blanks\"");
    EXPECT_EQ(ls[6], "\"trailing blank \"");
    EXPECT_EQ(ls[8], "\"Smith, John\"");
    EXPECT_EQ(ls[10], "\"\"");
    size_t lf = 0, crlf = 0;
    for (size_t i = 0; i < file.size(); ++i)
        if (file[i] == '\n') ++lf, crlf += i > 0 && file[i - 1] == '\r';
    EXPECT_EQ(lf, 19u);
    EXPECT_EQ(crlf, 19u);
}

TEST(SettingsRoundTrip, NamesTheFileCannotCarryLoseOnlyWhatItCannot) {
    struct Case {
        std::string name, readBack;
    } cases[] = {
        {"say \"hi\"", "say hi"},      // the double quote is dropped
        {"\"", ""},                   // nothing left
        {"a\r\nb", "ab"},             // a line break would split the file
        {"A\xF0\x9F\x98\x80" "B", "A?B"},  // no emoji in code page 932
        {"5\xE2\x82\xAC", "5?"},      // nor the euro sign
        {"\xFF\xFEzz", "??zz"},       // broken UTF-8 costs a "?" per byte
        {"ﾒﾆｭｰ①髙", "ﾒﾆｭｰ①髙"},  // half-width kana and the vendor extensions are fine
        {"\t tab", "\t tab"},
        {",", ","},
    };
    for (const Case& c : cases) {
        SettingsValues v = startValues();
        v.hiName[1] = c.name;
        ReadOutcome r = readSettings(writeSettings(v, kPlainFiller), startValues());
        ASSERT_TRUE(r.ok) << c.name;
        EXPECT_EQ(r.values.hiName[1], c.readBack) << c.name;
        EXPECT_EQ(r.values.hiName[2], "") << "the next name is not shifted";
        EXPECT_TRUE(r.checksumOk);
    }
}

TEST(SettingsRoundTrip, AFreshTableIsNotTakenForCheating) {
    const SettingsValues fresh = startValues();
    ReadOutcome r = readSettings(writeSettings(fresh, kPlainFiller), fresh);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.checksumOk);
    EXPECT_EQ(r.values, fresh);
}

TEST(SettingsReader, ReadsFilesMadeByHand) {
    const std::string taro = toCp932("太郎");
    struct Case {
        const char* what;
        std::string file;
    } cases[] = {
        {"commas and bare numbers, CR LF",
         "1500,1200\r\n100\r\nBob\r\n23\r\n  Alice Smith\r\n0\r\n\"\"\r\n10\r\n" + taro +
             "\r\n15\r\n\"x, y\"\r\n7\r\n90,66,88,86,67,32,16,77,84,37,39\r\n3,False,17\r\n4\r\n"},
        {"blanks as written, LF only, no lines after 15",
         " 1500   1200 \n 100 \nBob\n 23 \nAlice Smith\n 0 \n\n 10 \n" + taro +
             "\n 15 \n\"x, y\"\n 7 \n 90 66 88 86 67 32 16 77 84 37 39 \n 3 False 17 \n 4 "},
        {"everything on a few lines",
         "1500 1200 100,Bob\r\n23,Alice Smith\r\n0,\"\",10," + taro +
             "\r\n15,\"x, y\",7,90,66,88,86,67,32,16,77,84,37,39,3\tFalse\r\n+4.0\r\ngarbage after line 15"},
        {"numbers in other notations",
         "1.5E3 12E+2\r\n1e2\r\nBob\r\n23.0\r\nAlice Smith\r\n-0\r\n\"\"\r\n10\r\n" + taro +
             "\r\n1.5D1\r\n\"x, y\"\r\n7\r\n90 66 88 86 67 32 16 77 84 37 39\r\n3 False\r\n4\r\n"},
    };
    for (const Case& c : cases) {
        ReadOutcome r = readSettings(c.file, startValues());
        ASSERT_TRUE(r.ok) << c.what << ": " << r.problem;
        EXPECT_TRUE(r.checksumOk) << c.what;
        const SettingsValues& v = r.values;
        EXPECT_EQ(v.windowLeft, 1500) << c.what;
        EXPECT_EQ(v.windowTop, 1200) << c.what;
        EXPECT_EQ(v.hiScore, (std::array<int32_t, 5>{100, 23, 0, 10, 15})) << c.what;
        EXPECT_EQ(v.hiName, (std::array<std::string, 5>{"Bob", "Alice Smith", "", "太郎", "x, y"})) << c.what;
        EXPECT_EQ(v.keys, kDefaultKeys) << c.what;
        EXPECT_EQ(v.unlockStage, 3) << c.what;
        EXPECT_FALSE(v.voice) << c.what;
        EXPECT_EQ(v.difficulty, 4) << c.what;
    }
}

TEST(SettingsReader, TheVoiceWordOnlyTurnsVoiceOffWhenItIsFalse) {
    const std::string file = writeSettings(startValues(), kPlainFiller);
    struct Case {
        std::string line14;
        bool voice;
    } cases[] = {{" 2            True          123 ", true},  {" 2            False         123 ", false},
                 {" 2 False", false},                        {" 2            false         1 ", true},
                 {" 2            FALSE         1 ", true},    {" 2 ", true},
                 {" 2 Falsely", true}};
    for (const Case& c : cases) {
        for (bool before : {true, false}) {
            SettingsValues fallback = startValues();
            fallback.voice = before;
            ReadOutcome r = readSettings(replaceLine(file, 13, c.line14), fallback);
            ASSERT_TRUE(r.ok) << c.line14;
            EXPECT_EQ(r.values.voice, c.voice && before) << c.line14;
        }
    }
}

TEST(SettingsReader, TheFillerNeverReachesTheDifficulty) {
    for (int16_t d = 0; d < 5; ++d) {
        SettingsValues v = startValues();
        v.difficulty = d;
        for (int32_t filler = 0; filler <= 254; ++filler) {
            ReadOutcome r = readSettings(writeSettings(v, {filler, "zz"}), startValues());
            ASSERT_TRUE(r.ok);
            ASSERT_EQ(r.values.difficulty, d) << "filler " << filler;
        }
        // Extra values on line 14, or none after the stage, change nothing.
        const std::string file = writeSettings(v, kPlainFiller);
        for (const char* line14 : {" 2 True 4 4 4 4", " 2", "2,True,3,,,"}) {
            ReadOutcome r = readSettings(replaceLine(file, 13, line14), startValues());
            ASSERT_TRUE(r.ok) << line14;
            EXPECT_EQ(r.values.difficulty, d) << line14;
        }
    }
}

TEST(SettingsReader, EditingOnlyTheUnlockStageFailsTheChecksum) {
    SettingsValues v = sample();
    const std::string edited = replaceLine(writeSettings(v, kPlainFiller), 13, " 7            False         9 ");
    ReadOutcome r = readSettings(edited, startValues());
    ASSERT_TRUE(r.ok);
    EXPECT_FALSE(r.checksumOk);
    for (int i = 0; i < kTableSize; ++i) {
        EXPECT_EQ(r.values.hiScore[i], 1);
        EXPECT_EQ(r.values.hiName[i], kCheatName);
    }
    EXPECT_EQ(r.values.unlockStage, 7);
    EXPECT_EQ(r.values.keys, v.keys);
    EXPECT_EQ(r.values.difficulty, v.difficulty);
    EXPECT_FALSE(r.values.voice);
    // The marked table is written back with a checksum that fits.
    ReadOutcome again = readSettings(writeSettings(r.values, kPlainFiller), startValues());
    EXPECT_TRUE(again.checksumOk);

    // A raise of the NORMAL score that stays inside its ten passes.
    v.hiScore[3] = 909;
    ReadOutcome raised = readSettings(replaceLine(writeSettings(sample(), kPlainFiller), 7, " 909 "), startValues());
    EXPECT_TRUE(raised.checksumOk);
    EXPECT_EQ(raised.values.hiScore[3], 909);
}

TEST(SettingsReader, OutOfRangeKeysAndDifficultyFallBackOneByOne) {
    const std::string file = writeSettings(sample(), kPlainFiller);
    const std::string keys = " 0 255 -3 70000 1 254 1.4 253.6 2e2 -0 300";
    ReadOutcome r = readSettings(replaceLine(file, 12, keys), startValues());
    ASSERT_TRUE(r.ok) << r.problem;
    EXPECT_EQ(r.values.keys, (std::array<int16_t, 11>{90, 66, 88, 86, 1, 254, 1, 254, 200, 37, 39}));

    struct Case {
        const char* line15;
        int16_t difficulty;
    } cases[] = {{" 5 ", 2}, {"-1", 2}, {" 99999999999 ", 2}, {" 0 ", 0}, {" 4 ", 4},
                 {" 3.5 ", 4}, {" 4.5 ", 4}, {" 4.6 ", 2}, {"1e0", 1}};
    for (const Case& c : cases) {
        ReadOutcome d = readSettings(replaceLine(file, 14, c.line15), startValues());
        ASSERT_TRUE(d.ok) << c.line15;
        EXPECT_EQ(d.values.difficulty, c.difficulty) << c.line15;
        EXPECT_EQ(d.values.hiScore, sample().hiScore) << "the rest of the file is taken";
    }
}

TEST(SettingsReader, DamagedFilesGiveTheStartValuesBack) {
    const std::string good = writeSettings(sample(), kPlainFiller);
    SettingsValues fallback = startValues();
    fallback.hiName[0] = "kept";
    struct Case {
        const char* what;
        std::string file;
    } cases[] = {
        {"empty", ""},
        {"only blanks and line ends", "  \r\n\r\n \t \n"},
        {"a word for the window position", replaceLine(good, 0, "left top")},
        {"a number with trailing letters", replaceLine(good, 1, " 600x ")},
        {"a hex number", replaceLine(good, 1, "&H10")},
        {"a bare point", replaceLine(good, 3, ".")},
        {"a score too big for its field", replaceLine(good, 5, " 2147483648 ")},
        {"a stage too big for its field", replaceLine(good, 13, " 40000 True 1")},
        {"an unclosed quote", replaceLine(good, 2, "\"Bob")},
        {"a key that is no number", replaceLine(good, 12, " 90 66 88 86 67 32 16 77 84 37 x")},
        {"ten keys", replaceLine(replaceLine(good, 12, " 90 66 88 86 67 32 16 77 84 37"), 14, "")},
        {"infinity", replaceLine(good, 11, "inf")},
        {"no difficulty", good.substr(0, lineStart(good, 14))},
    };
    for (const Case& c : cases) {
        ReadOutcome r = readSettings(c.file, fallback);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_EQ(r.values, fallback) << c.what;
    }
}

TEST(SettingsReader, EveryTruncationBeforeTheDifficultyIsDamaged) {
    const std::string good = writeSettings(sample(), kPlainFiller);
    // The difficulty is the single digit that starts line 15.
    const size_t digitEnd = lineStart(good, 14) + 2;  // " 4"
    for (size_t cut = 0; cut <= good.size(); ++cut) {
        ReadOutcome r = readSettings(std::string_view(good).substr(0, cut), startValues());
        expectUsable(r);
        if (cut < digitEnd) {
            ASSERT_FALSE(r.ok) << "cut at " << cut;
            ASSERT_EQ(r.values, startValues());
        } else {
            ASSERT_TRUE(r.ok) << "cut at " << cut;
            ASSERT_EQ(r.values, sample());
        }
    }
}

TEST(SettingsReader, GarbageNeverGivesAnUnusableKeyOrDifficulty) {
    std::mt19937 gen(20240611);
    const std::string good = writeSettings(sample(), kPlainFiller);
    const char alphabet[] = " \t\r\n,\"0123456789-+.Ee\x81\x40\xFF";
    for (int round = 0; round < 3000; ++round) {
        std::string file;
        switch (round % 3) {
            case 0: {  // random bytes
                file.resize(gen() % 600);
                for (char& c : file) c = static_cast<char>(gen());
                break;
            }
            case 1: {  // the delimiters and digits the reader cares about
                file.resize(gen() % 400);
                for (char& c : file) c = alphabet[gen() % (sizeof alphabet - 1)];
                break;
            }
            default: {  // a real file with a few bytes changed
                file = good;
                for (int n = gen() % 6; n >= 0; --n) file[gen() % file.size()] = alphabet[gen() % (sizeof alphabet - 1)];
            }
        }
        ReadOutcome r = readSettings(file, startValues());
        expectUsable(r);
        if (!r.ok) {
            ASSERT_EQ(r.values, startValues());
        }
    }
}

TEST(SettingsFiller, IsSixToTwentyBytesAndANumberBelow255) {
    game::Random rnd(99);
    size_t shortest = 100, longest = 0;
    int highest = -1;
    for (int i = 0; i < 5000; ++i) {
        Filler f = drawFiller(rnd);
        shortest = std::min(shortest, f.text.size());
        longest = std::max(longest, f.text.size());
        highest = std::max(highest, f.number);
        ASSERT_GE(f.number, 0);
    }
    EXPECT_EQ(shortest, 6u);
    EXPECT_EQ(longest, 20u);
    EXPECT_EQ(highest, 254);
    // The text is drawn before the number: n, n + 1 characters, then the number.
    game::Random pinned;
    pinned.queue({0.0f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.999f});
    Filler f = drawFiller(pinned);
    EXPECT_EQ(f.text, std::string(6, '\x80'));
    EXPECT_EQ(f.number, 254);
}

TEST(SettingsCodePage, ConvertsBothWaysAndMarksWhatItCannotHold) {
    struct Case {
        std::string utf8, cp932;
    } cases[] = {
        {"No Name", "No Name"},
        {"卑怯", "\x94\xDA\x8B\xAF"},
        {"ソ表", "\x83\x5C\x95\x5C"},  // trail bytes that look like a backslash
        {"ﾒﾆｭｰ", "\xD2\xC6\xAD\xB0"},
        {"～①", "\x81\x60\x87\x40"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toCp932(c.utf8), c.cp932) << c.utf8;
        EXPECT_EQ(fromCp932(c.cp932), c.utf8) << c.utf8;
    }
    EXPECT_EQ(fromCp932("ab\x82"), "ab?") << "a lead byte at the end";
    EXPECT_EQ(fromCp932("\x82\x20x"), "? x") << "a lead byte without a trail byte";
    EXPECT_EQ(toCp932("\xE3\x81"), "??") << "a cut UTF-8 sequence";
    // The wave dash that Linux input methods type is stored as code page 932's.
    EXPECT_EQ(toCp932("〜"), "\x81\x60");
}

}  // namespace
