// The debug codes, the screen capture and the help command. Random texts
// for the number reader are the fuzzer's part.
#include <gtest/gtest.h>

#include <QImage>

#include "fake_services.h"

#include "menu/debug_code.h"

namespace {

using fake::Game;

// Blanks anywhere are skipped; reading stops where the grammar can't go on;
// long texts neither lose precision nor overflow.
TEST(MenuDebugNumber, ReadsTheLeadingDecimalNumber) {
    const std::string zeros(70, '0');
    const std::pair<std::string, double> cases[] = {
        {"", 0},           {"  -12.5", -12.5}, {"1 2 3", 123},
        {"- 4", -4},       {"1.2.3", 1.2},     {".5", 0.5},
        {"1 E -2", 0.01},  {"1ex5", 1},        {"5d2", 5},
        {"e5", 0},         {"--5", 0},         {"0x10", 0},
        {"\t5\r\n", 5},    {"５", 0},          {"1e-400", 0},
        {"-1e400", -1e18}, {zeros + "1", 1},   {"0." + zeros + "1e71", 1},
    };
    const std::pair<std::string, double> longer[] = {
        {"123456789012345678901234567890123456789012345678901234567890e-55", 12345.678901234567},
        {"99999999999999999999999999", 1e18},
        {"1e999999999999999999999", 1e18}};
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(game::readDecimalNumber(text), value) << text;
    for (const auto& [text, value] : longer) EXPECT_DOUBLE_EQ(game::readDecimalNumber(text), value) << text;
}

// The letter, one separator character (the first digit, or a full-width
// blank, too), then the number rounded half to even and clamped to its
// variable; "d" sets the third best score and marks its name.
TEST(MenuDebugCode, EachLetterSetsItsVariable) {
    enum Var { Gauge, Score, Level, Kills, Stage, ThirdBest, Nothing };
    const std::tuple<std::string, Var, int32_t> cases[] = {
        {"s5000", Score, 0},     {"s 5000", Score, 5000},      {"s　5000", Score, 5000},    {"s 2.5", Score, 2},
        {"s 3.5", Score, 4},     {"s 1e20", Score, INT32_MAX}, {"p 150", Gauge, 150},       {"l 12", Level, 12},
        {"k 9200", Kills, 9200}, {"L 70000", Stage, 32767},    {"L -70000", Stage, -32768}, {"d 4321", ThirdBest, 4321},
        {"s", Nothing, 0},       {"x 5", Nothing, 0},          {"S 5", Nothing, 0},         {"ｓ 5", Nothing, 0},
        {"", Nothing, 0},  // the box cancelled
    };
    for (const auto& [code, var, value] : cases) {
        Game g;
        game::Form1& f = g.f;
        f.gauge = 11, f.score = 22, f.level = 33, f.kills = 44, f.unlockStage = 5, f.hiScore = {1, 2, 3, 4, 5};
        f.hiName[2] = "c";
        // Every variable a code may touch, to see that the others stay.
        const auto vars = [&] {
            return std::array<int32_t, 10>{f.gauge,      f.score,      f.level,      f.kills,      f.unlockStage,
                                           f.hiScore[2], f.hiScore[0], f.hiScore[1], f.hiScore[3], f.hiScore[4]};
        };
        auto expected = vars();
        if (var != Nothing) expected[var] = value;
        if (!code.empty()) g.sv.inputAnswers = {code};
        f.mnuCODE.click();
        EXPECT_TRUE(g.sv.inputs.size() == 1 && vars() == expected && g.sv.messages.empty()) << code;
        EXPECT_EQ(f.hiName[2], var == ThirdBest ? "NoEntry" : "c") << code;
    }
}

// The title picture, not what the frame has drawn over it; none, nothing.
TEST(MenuCapture, CopiesTheAssignedPictureNotTheFrame) {
    Game g;
    g.f.mnuCapture.click();
    EXPECT_TRUE(g.sv.clipboard.isNull());
    QImage title(350, 350, QImage::Format_RGB32);
    title.fill(QColor(10, 20, 30));
    g.f.picMain.setPicture(title);
    g.f.picMain.filledBox(0, 0, 100, 100, forms::rgb(255, 0, 0));
    g.f.mnuCapture.click();
    ASSERT_EQ(g.sv.clipboard.size(), QSize(350, 350));
    EXPECT_EQ(g.sv.clipboard.pixel(50, 50) & 0xFFFFFFu, forms::rgb(10, 20, 30));
}

// The readme beside the program opens without waiting for the browser; a
// missing file, a viewer that can't start or one that fails afterwards shows
// the one box.
TEST(MenuHelp, OpensTheReadmeOrShowsTheOneBox) {
    for (auto [readme, viewerStarts, viewerFailsLater] :
         {std::tuple{true, true, false}, {false, true, false}, {true, false, false}, {true, true, true}}) {
        SCOPED_TRACE(testing::Message() << readme << viewerStarts << viewerFailsLater);
        fake::ProgramFolder folder;
        if (readme) folder.write("<html></html>", "readme.html");
        Game g(1'000'000, folder.path);
        g.sv.shellOpenResult = viewerStarts;
        g.sv.shellOpenFailsLater = viewerFailsLater;
        g.f.mnuWeb.click();
        EXPECT_EQ(g.sv.clock, 1'000'000);
        g.sv.DoEvents();
        if (readme && viewerStarts && !viewerFailsLater) {
            EXPECT_TRUE(g.sv.messages.empty() && g.sv.opened == std::vector<std::string>{folder.file("readme.html")});
            continue;
        }
        ASSERT_EQ(g.sv.messages.size(), 1u);
        EXPECT_EQ(g.sv.messages[0].text,
                  "予期せぬエラーが発生しました。\r\nreadme.htmlが存在するか、また、"
                  "ウェブブラウザがhtmlに関連付けられているか確認してください。");
        EXPECT_TRUE(g.sv.messages[0].title == "とまどい" && g.sv.messages[0].style == platform::kMbCritical);
    }
}

}  // namespace
