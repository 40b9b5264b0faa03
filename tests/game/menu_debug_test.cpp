// The debug codes, the screen capture and the help command. Random texts
// for the number reader are the fuzzer's part.
#include <gtest/gtest.h>

#include <QImage>

#include <limits>

#include "fake_services.h"

#include "menu/debug_code.h"

namespace {

using fake::Game;

// Blanks anywhere are skipped; reading stops where the grammar can't go on;
// long texts neither lose precision nor overflow.
TEST(MenuDebugNumber, ReadsTheLeadingDecimalNumber) {
    const std::pair<std::string, double> cases[] = {
        {"", 0},
        {"  -12.5", -12.5},
        {"1 2 3", 123},
        {"- 4", -4},
        {"1.2.3", 1.2},
        {".5", 0.5},
        {"1 E -2", 0.01},
        {"1ex5", 1},
        {"5d2", 5},
        {"e5", 0},
        {"--5", 0},
        {"0x10", 0},
        {"\t5\r\n", 5},
        {"５", 0},
        {"1e-400", 0},
        {std::string(70, '0') + "1", 1},
        {"0." + std::string(70, '0') + "1e71", 1},
        {"123456789012345678901234567890123456789012345678901234567890e-55", 12345.678901234567},
        {"99999999999999999999999999", 1e18},
        {"1e999999999999999999999", 1e18},
        {"-1e400", -1e18},
    };
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(game::readDecimalNumber(text), value) << '"' << text << '"';
}

// What a code may touch, to see that the others stay.
struct Touched {
    int32_t gauge, score, level, kills, unlockStage;
    std::array<int32_t, 5> hiScore;
    std::string hiName2;
    bool operator==(const Touched&) const = default;
};

// The letter, one separator character (the first digit, too), then the
// number rounded half to even and clamped to its variable.
TEST(MenuDebugCode, EachLetterSetsItsVariable) {
    struct Case {
        std::string code;
        int32_t Touched::*field;  // nullptr: nothing changes, or the d code
        int32_t value;
    };
    const Case cases[] = {
        {"s5000", &Touched::score, 0},
        {"s 5000", &Touched::score, 5000},
        {"s 2.5", &Touched::score, 2},
        {"s　5000", &Touched::score, 5000},  // a full-width blank is one separator
        {"s 3.5", &Touched::score, 4},
        {"s 1e20", &Touched::score, std::numeric_limits<int32_t>::max()},
        {"p 150", &Touched::gauge, 150},
        {"l 12", &Touched::level, 12},
        {"k 9200", &Touched::kills, 9200},
        {"L 70000", &Touched::unlockStage, 32767},
        {"L -70000", &Touched::unlockStage, -32768},
        {"d 4321", nullptr, 4321},
        {"s", nullptr, 0},
        {"x 5", nullptr, 0},
        {"S 5", nullptr, 0},
        {"ｓ 5", nullptr, 0},
        {"", nullptr, 0},  // the box cancelled
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        Game g;
        game::Form1& f = g.f;
        f.gauge = 11, f.score = 22, f.level = 33, f.kills = 44, f.unlockStage = 5;
        f.hiScore = {1, 2, 3, 4, 5};
        f.hiName[2] = "c";
        f.difficulty = 4;
        auto touched = [&] {
            return Touched{f.gauge, f.score, f.level, f.kills, f.unlockStage, f.hiScore, f.hiName[2]};
        };
        Touched expected = touched();
        if (c.field) expected.*c.field = c.value;
        if (c.code[0] == 'd') expected.hiScore[2] = c.value, expected.hiName2 = "NoEntry";
        if (!c.code.empty()) g.sv.inputAnswers = {c.code};
        f.mnuCODE.click();
        ASSERT_EQ(g.sv.inputs.size(), 1u);
        EXPECT_EQ(g.sv.inputs[0].text, "Please Input the DEBUG CODE.");
        EXPECT_EQ(g.sv.inputs[0].title, "Prompt");
        EXPECT_EQ(touched(), expected);
        EXPECT_TRUE(g.sv.messages.empty());
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
    struct Case {
        bool readme, viewerStarts, viewerFailsLater;
    };
    for (const Case c :
         {Case{true, true, false}, Case{false, true, false}, Case{true, false, false}, Case{true, true, true}}) {
        fake::ProgramFolder folder;
        if (c.readme) folder.write("<html></html>", "readme.html");
        Game g(1'000'000, folder.path);
        g.sv.shellOpenResult = c.viewerStarts;
        g.sv.shellOpenFailsLater = c.viewerFailsLater;
        g.f.mnuWeb.click();
        EXPECT_EQ(g.sv.clock, 1'000'000);
        g.sv.DoEvents();
        if (c.readme && c.viewerStarts && !c.viewerFailsLater) {
            EXPECT_EQ(g.sv.opened, std::vector<std::string>{folder.file("readme.html")});
            EXPECT_TRUE(g.sv.messages.empty());
            continue;
        }
        ASSERT_EQ(g.sv.messages.size(), 1u) << c.readme << c.viewerStarts << c.viewerFailsLater;
        EXPECT_EQ(g.sv.messages[0].text,
                  "予期せぬエラーが発生しました。\r\nreadme.htmlが存在するか、また、"
                  "ウェブブラウザがhtmlに関連付けられているか確認してください。");
        EXPECT_EQ(g.sv.messages[0].title, "とまどい");
        EXPECT_EQ(g.sv.messages[0].style, platform::kMbCritical);
    }
}

}  // namespace
