// The help command. The debug codes are a developer's tool: random texts for
// their reader are the fuzzer's part.
#include <gtest/gtest.h>

#include "fake_services.h"

namespace {

using fake::Game;

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
