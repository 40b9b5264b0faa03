// The version dialog on the fake platform.
#include <gtest/gtest.h>

#include <QImage>

#include "dialogs/form3.h"
#include "fake_services.h"

namespace {

// The first click hides the picture and becomes 閉じる, the second closes;
// the pointer over the date changes it for good; Escape closes too.
TEST(DialogVersion, DateUnderThePointerAndTheButtonsTwoClicks) {
    fake::Game g;
    game::Form1& f = g.f;
    f.form.icon = QImage(32, 32, QImage::Format_ARGB32);
    f.form.icon.fill(QColor(200, 40, 90));
    f.mnuVersion.click();
    game::Form3* d = f.form3.get();
    EXPECT_TRUE(d->Image1.picture == f.form.icon && d->Label2.caption == "November,2000");
    d->Label2.onMouseMove();
    d->Command1.click();
    EXPECT_TRUE(d->Image1.picture.isNull() && d->Command1.caption == "閉じる" && d->Label2.caption == "October,2001");
    EXPECT_TRUE(g.sv.unloadedForms.empty());
    d->Command1.click();
    d->Command1.click();  // a late click does nothing more
    EXPECT_TRUE(d->unloaded() && g.sv.unloadedForms == std::vector<std::string>{"Form3"});
    f.mnuVersion.click();  // a close is followed by a fresh opening
    d = f.form3.get();
    EXPECT_TRUE(!d->unloaded() && d->Command1.caption == "消える" && d->Label2.caption == "November,2000");
    d->form.onKeyDown('X');
    EXPECT_FALSE(d->unloaded());
    d->form.onKeyDown(27);
    EXPECT_TRUE(d->unloaded()) << "Escape closes it";
}

}  // namespace
