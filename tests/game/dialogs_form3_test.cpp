// SPDX-License-Identifier: GPL-3.0-or-later
// The version dialog on the fake platform.
#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

#include "dialogs/form3.h"
#include "game_fixtures.h"

namespace {

// The pointer over the date changes it; the first click hides the picture and
// becomes 閉じる, the second closes; a fresh opening closes with Escape.
TEST(DialogVersion, DateUnderThePointerAndTheButtonsTwoClicks) {
    fake::Game g;
    g.f.form.icon = QImage(32, 32, QImage::Format_ARGB32);
    g.f.mnuVersion.click();
    game::Form3* d = g.f.form3.get();
    EXPECT_FALSE(d->Image1.picture.isNull());
    d->Label2.onMouseMove();
    d->Command1.click();
    EXPECT_TRUE(d->Image1.picture.isNull());
    EXPECT_EQ(d->Command1.caption, "閉じる");
    EXPECT_EQ(d->Label2.caption, "October,2001");
    EXPECT_TRUE(g.sv.unloadedForms.empty());
    d->Command1.click();
    d->Command1.click();  // a late click does nothing more
    EXPECT_TRUE(d->unloaded());
    EXPECT_EQ(g.sv.unloadedForms, std::vector<std::string>{"Form3"});
    g.f.mnuVersion.click();
    d = g.f.form3.get();
    d->form.onKeyDown('X');
    EXPECT_FALSE(d->unloaded());
    d->form.onKeyDown(27);
    EXPECT_TRUE(d->unloaded()) << "Escape closes it";
}

}  // namespace
