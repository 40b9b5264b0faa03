// The version dialog on the fake platform.
#include <gtest/gtest.h>

#include <QImage>

#include "dialogs/form3.h"
#include "fake_services.h"

namespace {

TEST(DialogVersion, DateUnderThePointerAndTheButtonsTwoClicks) {
    fake::Game g;
    game::Form1& f = g.f;
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(QColor(200, 40, 90));
    f.form.icon = icon;
    auto open = [&]() -> game::Form3& {
        f.mnuVersion.click();
        game::Form3& d = *f.form3;
        EXPECT_FALSE(d.unloaded());
        EXPECT_EQ(d.Image1.picture, f.form.icon);
        EXPECT_EQ(d.Command1.caption, "消える");
        EXPECT_EQ(d.Label2.caption, "November,2000");
        EXPECT_EQ(d.Label3.caption, "Ver 1.8.8");
        return d;
    };
    game::Form3* d = &open();
    EXPECT_EQ(d->form.caption, "ルル子のVORN BEAMのｳﾞｧｰｼﾞｮﾝ情報");
    d->Label2.onMouseMove();
    EXPECT_EQ(d->Label2.caption, "October,2001");
    d->Command1.click();
    EXPECT_TRUE(d->Image1.picture.isNull());
    EXPECT_EQ(d->Command1.caption, "閉じる");
    EXPECT_EQ(d->Label2.caption, "October,2001") << "the date stays changed";
    EXPECT_TRUE(g.sv.unloadedForms.empty());
    d->Command1.click();
    EXPECT_TRUE(d->unloaded());
    d->Command1.click();  // a late click does nothing more
    EXPECT_EQ(g.sv.unloadedForms, std::vector<std::string>{"Form3"});
    d = &open();  // a close is followed by a fresh opening
    d->form.onKeyDown('X');
    EXPECT_FALSE(d->unloaded());
    d->form.onKeyDown(27);
    EXPECT_TRUE(d->unloaded()) << "Escape closes it";
}

}  // namespace
