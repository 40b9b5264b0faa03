// SPDX-License-Identifier: GPL-3.0-or-later
// Form3, the version dialog: the icon, the version and the date, and a button
// that first takes the icon away and only then closes.
#pragma once

#include <cstdint>

#include "forms/forms.h"

namespace game {

class Form1;

class Form3 {
public:
    explicit Form3(Form1& owner);
    ~Form3();
    Form3(const Form3&) = delete;
    Form3& operator=(const Form3&) = delete;

    Form1& owner;
    forms::Form form{"Form3"};
    forms::ImageControl Image1{"Image1"};
    forms::Label Label1{"Label1"};  // item 0 of its array, the only one
    forms::Label Label2{"Label2"};
    forms::Label Label3{"Label3"};
    forms::Button Command1{"Command1"};
    int16_t closeClicks = 0;

    void Form_Load();
    void Label2_MouseMove();
    void Command1_Click();
    // The second click and the close box end here. The object stays until
    // the game window drops it, since this runs inside its own handlers.
    void Form_Unload();
    bool unloaded() const { return !form.loaded; }
};

}  // namespace game
