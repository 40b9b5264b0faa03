// SPDX-License-Identifier: GPL-3.0-or-later
// The help command: it opens the readme beside the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game_fixtures.h"

namespace {

// The readme beside the program opens without waiting for the browser; a
// missing file, a viewer that can't start or one that fails afterwards shows
// the one box.
TEST(MenuHelp, OpensTheReadmeOrShowsTheOneBox) {
    struct Case {
        const char* name;
        bool readme;
        bool viewerStarts;
        bool viewerFailsLater;
    };
    const Case cases[] = {
        {.name = "opens", .readme = true, .viewerStarts = true, .viewerFailsLater = false},
        {.name = "no readme", .readme = false, .viewerStarts = true, .viewerFailsLater = false},
        {.name = "no viewer", .readme = true, .viewerStarts = false, .viewerFailsLater = false},
        {.name = "the viewer fails later", .readme = true, .viewerStarts = true, .viewerFailsLater = true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake::ProgramFolder folder;
        if (c.readme) folder.write("<html></html>", "readme.html");
        fake::Game g(1'000'000, folder.path);
        g.sv.shellOpenResult = c.viewerStarts;
        g.sv.shellOpenFailsLater = c.viewerFailsLater;
        g.f.mnuWeb.click();
        EXPECT_EQ(g.sv.clock, 1'000'000) << "no wait for the browser";
        g.sv.DoEvents();
        if (c.readme && c.viewerStarts && !c.viewerFailsLater) {
            EXPECT_EQ(g.sv.messages.size(), 0u);
            EXPECT_EQ(g.sv.opened, std::vector<std::string>{folder.file("readme.html")});
            continue;
        }
        ASSERT_EQ(g.sv.messages.size(), 1u);
        EXPECT_EQ(g.sv.messages[0].text,
                  "予期せぬエラーが発生しました。\r\nreadme.htmlが存在するか、また、"
                  "ウェブブラウザがhtmlに関連付けられているか確認してください。");
        EXPECT_EQ(g.sv.messages[0].title, "とまどい");
        EXPECT_EQ(g.sv.messages[0].style, platform::kMbCritical);
    }
}

}  // namespace
