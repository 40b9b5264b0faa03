// The debug codes, the screen capture and the help command.
#include <gtest/gtest.h>

#include <QImage>

#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <random>
// g++ 12 warns inside <regex> about members it cannot see initialised (a false
// positive of that release under the sanitizers' optimisation).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <regex>

#include "menu/debug_code.h"
#include "menu_fixture.h"

namespace {

using fake::Game;
using game::readDecimalNumber;

TEST(MenuDebugNumber, ReadsTheLeadingDecimalNumber) {
    const std::string manyZeros(70, '0');
    struct Case {
        std::string text;
        double value;
    };
    const Case cases[] = {
        {"", 0},
        {"5000", 5000},
        {"000", 0},
        {"  -12.5", -12.5},
        {"+7", 7},
        {"1 2 3", 123},
        {"- 4", -4},
        {"1.2.3", 1.2},
        {".5", 0.5},
        {"5.", 5},
        {"1e3", 1000},
        {"1 E -2", 0.01},
        {"2.5e1", 25},
        {"1e", 1},
        {"1e+", 1},
        {"1ex5", 1},
        {"5d2", 5},
        {"e5", 0},
        {"-", 0},
        {".", 0},
        {"--5", 0},
        {"+-5", 0},
        {"12abc", 12},
        {"1,5", 1},
        {"0x10", 0},
        {"\t5\r\n", 5},
        {"５", 0},  // full-width digits are not digits
        {manyZeros + "1", 1},
        {"0." + manyZeros + "1e71", 1},
        {"123456789012345678901234567890123456789012345678901234567890e-55", 12345.678901234567},
        {"99999999999999999999999999", 1e18},
        {"1e999999999999999999999", 1e18},
        {"-1e400", -1e18},
        {"1e-400", 0},
        {"-0", 0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(readDecimalNumber(c.text), c.value) << '"' << c.text << '"';
}

// An independent reading of the same grammar: blanks out, the longest valid
// prefix by regular expression, then the standard conversion.
double referenceReading(const std::string& text) {
    std::string packed;
    for (char c : text)
        if (c != ' ' && c != '\t') packed += c;
    static const std::regex number(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)");
    std::smatch m;
    if (!std::regex_search(packed, m, number)) return 0;
    std::string s = m.str();
    if (s[0] == '+') s.erase(0, 1);
    double v = 0;
    if (std::from_chars(s.data(), s.data() + s.size(), v).ec == std::errc::result_out_of_range) {
        // Short texts only leave their range through the exponent.
        if (s.find("e-") != std::string::npos || s.find("E-") != std::string::npos) return 0;
        return s[0] == '-' ? -1e18 : 1e18;
    }
    return std::clamp(v, -1e18, 1e18);
}

TEST(MenuDebugNumber, AgreesWithAReferenceOnRandomTexts) {
    const std::string alphabet = "0123456789+-.eE \tx";
    std::mt19937 gen(2024);
    for (int n = 0; n < 20000; ++n) {
        std::string text;
        for (int len = static_cast<int>(gen() % 14); len > 0; --len) text += alphabet[gen() % alphabet.size()];
        ASSERT_DOUBLE_EQ(readDecimalNumber(text), referenceReading(text)) << '"' << text << '"';
    }
}

TEST(MenuDebugNumber, ArbitraryBytesGiveAFiniteNumber) {
    std::mt19937 gen(99);
    for (int n = 0; n < 20000; ++n) {
        std::string text;
        for (int len = static_cast<int>(gen() % 40); len > 0; --len) text += static_cast<char>(gen() & 0xFF);
        EXPECT_TRUE(std::isfinite(readDecimalNumber(text)));
        if (text.size() < 2) EXPECT_FALSE(game::parseDebugCode(text).has_value());
        else (void)game::parseDebugCode(text);
    }
}

// What a code touches, to see that the others stay.
struct Touched {
    int32_t gauge, score, level, kills, hiScore2;
    std::string hiName2;
    int16_t unlockStage;
    std::array<int32_t, 5> hiScore;
    bool operator==(const Touched&) const = default;
};

Touched touched(const game::Form1& f) {
    return {f.gauge, f.score, f.level, f.kills, f.hiScore[2], f.hiName[2], f.unlockStage, f.hiScore};
}

TEST(MenuDebugCode, EachLetterSetsItsVariable) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    struct Case {
        std::string code;
        int32_t Touched::*field;  // nullptr: nothing changes
        int32_t value;
    };
    const Case cases[] = {
        {"s5000", &Touched::score, 0},  // the 5 is the separator
        {"s 5000", &Touched::score, 5000},
        {"s:5000", &Touched::score, 5000},
        {"s　5000", &Touched::score, 5000},  // a full-width blank is one separator
        {"s ", &Touched::score, 0},
        {"s 2.5", &Touched::score, 2},
        {"s 3.5", &Touched::score, 4},
        {"s -2.5", &Touched::score, -2},
        {"s 1 000", &Touched::score, 1000},
        {"s 12abc", &Touched::score, 12},
        {"s 1e20", &Touched::score, kMax},
        {"s -1e20", &Touched::score, kMin},
        {"p 150", &Touched::gauge, 150},
        {"l 12", &Touched::level, 12},
        {"k 9200", &Touched::kills, 9200},
        {"d 4321", &Touched::hiScore2, 4321},
        {"s", nullptr, 0},
        {"", nullptr, 0},
        {"x 5", nullptr, 0},
        {"S 5", nullptr, 0},
        {"P 5", nullptr, 0},
        {"K 5", nullptr, 0},
        {" s 5", nullptr, 0},
        {"ｓ 5", nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        Game g;
        game::Form1& f = g.f;
        f.gauge = 11, f.score = 22, f.level = 33, f.kills = 44, f.unlockStage = 5;
        f.hiScore = {1, 2, 3, 4, 5};
        f.hiName = {"a", "b", "c", "d", "e"};
        f.difficulty = 4;
        Touched expected = touched(f);
        if (c.field) expected.*c.field = c.value;
        if (c.field == &Touched::hiScore2) {
            expected.hiScore[2] = c.value;
            expected.hiName2 = "NoEntry";
        }
        g.sv.inputAnswers = {c.code};

        f.mnuCODE.click();

        ASSERT_EQ(g.sv.inputs.size(), 1u);
        EXPECT_EQ(g.sv.inputs[0].text, "Please Input the DEBUG CODE.");
        EXPECT_EQ(g.sv.inputs[0].title, "Prompt");
        EXPECT_EQ(g.sv.inputDefaults[0], "");
        EXPECT_EQ(touched(f), expected);
        EXPECT_TRUE(g.sv.messages.empty());
    }
}

TEST(MenuDebugCode, UnlockStageIsSixteenBitsClamped) {
    const std::pair<std::string, int16_t> cases[] = {
        {"L 6", 6}, {"L 70000", 32767}, {"L -70000", -32768}, {"L 32767.5", 32767}, {"l 6", 5}};
    for (const auto& [code, stage] : cases) {
        Game g;
        g.f.unlockStage = 5;
        g.sv.inputAnswers = {code};
        g.f.mnuCODE.click();
        EXPECT_EQ(g.f.unlockStage, stage) << code;
    }
}

TEST(MenuDebugCode, CancelChangesNothing) {
    Game g;
    g.f.score = 9;
    g.f.mnuCODE.click();  // no answer: the box is cancelled
    EXPECT_EQ(g.f.score, 9);
}

// ---- screen capture ----

TEST(MenuCapture, CopiesTheAssignedPictureNotTheFrame) {
    Game g;
    QImage title(350, 350, QImage::Format_RGB32);
    title.fill(QColor(10, 20, 30));
    g.f.picMain.setPicture(title);
    g.f.picMain.filledBox(0, 0, 100, 100, forms::rgb(255, 0, 0));
    g.f.mnuCapture.click();
    ASSERT_FALSE(g.sv.clipboard.isNull());
    EXPECT_EQ(g.sv.clipboard.size(), QSize(350, 350));
    EXPECT_EQ(g.sv.clipboard.pixel(50, 50) & 0xFFFFFFu, forms::rgb(10, 20, 30));
}

TEST(MenuCapture, WithoutAPictureNothingIsPut) {
    Game g;
    g.f.mnuCapture.click();
    EXPECT_TRUE(g.sv.clipboard.isNull());
}

// ---- help ----

constexpr const char* kHelpError =
    "予期せぬエラーが発生しました。\r\n"
    "readme.htmlが存在するか、また、ウェブブラウザがhtmlに関連付けられているか確認してください。";

TEST(MenuHelp, OpensTheReadmeBesideTheProgram) {
    Game g;
    const int32_t before = g.sv.clock;
    g.f.mnuWeb.click();
    EXPECT_EQ(g.sv.opened, std::vector<std::string>{g.f.programFolder + "/readme.html"});
    EXPECT_TRUE(g.sv.messages.empty());
    EXPECT_EQ(g.sv.clock, before) << "it doesn't wait for the browser";
}

TEST(MenuHelp, FailureShowsTheOneBox) {
    menutest::TempFolder empty;
    menutest::TempFolder withReadme;
    std::ofstream(withReadme.path + "/readme.html") << "<html></html>";
    struct Case {
        std::string folder;
        bool shellSucceeds;
    };
    const Case cases[] = {{empty.path, true}, {withReadme.path, false}};
    for (const Case& c : cases) {
        Game g(1'000'000, c.folder);
        g.sv.shellOpenResult = c.shellSucceeds;
        g.f.mnuWeb.click();
        ASSERT_EQ(g.sv.messages.size(), 1u) << c.folder;
        EXPECT_EQ(g.sv.messages[0].text, kHelpError);
        EXPECT_EQ(g.sv.messages[0].title, "とまどい");
        EXPECT_EQ(g.sv.messages[0].style, platform::kMbCritical);
        g.f.runPass();  // and the game goes on
    }
}

}  // namespace
