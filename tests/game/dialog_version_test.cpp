// The version dialog on the fake platform.
#include <gtest/gtest.h>

#include <QImage>

#include "dialogs/form3.h"
#include "menu_fixture.h"

namespace {

using fake::Game;

struct DialogVersion : ::testing::Test {
    Game g;
    game::Form1& f = g.f;
    void SetUp() override {
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(QColor(200, 40, 90));
        f.form.icon = icon;
        f.mnuVersion.click();
        ASSERT_TRUE(f.form3);
    }
    game::Form3& d() { return *f.form3; }
    void expectFresh() {
        EXPECT_FALSE(d().unloaded());
        EXPECT_TRUE(d().form.visible);
        EXPECT_EQ(d().Image1.picture, f.form.icon);
        EXPECT_EQ(d().Command1.caption, "消える");
        EXPECT_EQ(d().Label2.caption, "November,2000");
        EXPECT_EQ(d().Label3.caption, "Ver 1.8.8");
        EXPECT_EQ(d().closeClicks, 0);
    }
};

TEST_F(DialogVersion, OpensWithIconVersionAndDate) {
    expectFresh();
    EXPECT_EQ(d().form.caption, "ルル子のVORN BEAMのｳﾞｧｰｼﾞｮﾝ情報");
    EXPECT_EQ(d().form.clientWidth, 312);
    EXPECT_EQ(d().form.clientHeight, 174);
    EXPECT_TRUE(f.form.enabled) << "the game window stays usable";
    struct Place {
        const forms::Control* control;
        int left, top, width, height;
    };
    const Place places[] = {{&d().Image1, 12, 20, 144, 144}, {&d().Label1, 172, 24, 121, 21},
                            {&d().Label2, 216, 52, 93, 21},  {&d().Label3, 188, 68, 113, 17},
                            {&d().Command1, 168, 88, 125, 73}};
    for (const Place& p : places) {
        SCOPED_TRACE(p.control->name);
        EXPECT_EQ(p.control->left, p.left);
        EXPECT_EQ(p.control->top, p.top);
        EXPECT_EQ(p.control->width, p.width);
        EXPECT_EQ(p.control->height, p.height);
        EXPECT_NE(std::find(d().form.controls.begin(), d().form.controls.end(), p.control), d().form.controls.end());
    }
    EXPECT_FALSE(d().Label1.caption.empty());
    EXPECT_DOUBLE_EQ(d().Label1.fontPoints, 12);
    EXPECT_DOUBLE_EQ(d().Command1.fontPoints, 26.25);
}

TEST_F(DialogVersion, FirstClickHidesTheIconSecondCloses) {
    d().Command1.click();
    EXPECT_TRUE(d().Image1.picture.isNull());
    EXPECT_EQ(d().Command1.caption, "閉じる");
    EXPECT_FALSE(d().unloaded());
    EXPECT_TRUE(g.sv.unloadedForms.empty());
    d().Command1.click();
    EXPECT_TRUE(d().unloaded());
    EXPECT_EQ(g.sv.unloadedForms, std::vector<std::string>{"Form3"});
    d().Command1.click();  // a click arriving late does nothing more
    EXPECT_EQ(g.sv.unloadedForms.size(), 1u);
}

TEST_F(DialogVersion, PointingAtTheDateChangesItForGood) {
    d().Label2.onMouseMove();
    EXPECT_EQ(d().Label2.caption, "October,2001");
    d().Command1.click();
    EXPECT_EQ(d().Label2.caption, "October,2001");
}

TEST_F(DialogVersion, ChoosingItAgainWhileOpenKeepsTheState) {
    game::Form3* first = f.form3.get();
    d().Label2.onMouseMove();
    d().Command1.click();
    f.mnuVersion.click();
    EXPECT_EQ(f.form3.get(), first);
    EXPECT_EQ(d().Command1.caption, "閉じる");
    EXPECT_EQ(d().Label2.caption, "October,2001");
    EXPECT_EQ(d().closeClicks, 1);
}

TEST_F(DialogVersion, EveryCloseIsFollowedByAFreshOpening) {
    d().Label2.onMouseMove();
    d().Command1.click();
    d().Command1.click();
    f.mnuVersion.click();
    expectFresh();
    d().Label2.onMouseMove();
    d().form.onUnload();  // the close box
    EXPECT_TRUE(d().unloaded());
    f.mnuVersion.click();
    expectFresh();
}

}  // namespace
