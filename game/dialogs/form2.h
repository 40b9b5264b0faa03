// SPDX-License-Identifier: GPL-3.0-or-later
// Form2, the key configuration dialog: one button per play action; a click
// captures the next key pressed into a working copy that "設定完了" writes back
// to the game window.
#pragma once

#include <array>
#include <cstdint>
#include <utility>

#include "forms/forms.h"
#include "shell/play_keys.h"

namespace game {

class Form1;

constexpr int kKeyButtons = kPlayKeyCount;

// One "cmdBTN" per play key, however many there are.
template <size_t... I>
std::array<forms::Button, sizeof...(I)> buttonArray(std::index_sequence<I...>) {
    return {((void)I, forms::Button{"cmdBTN"})...};
}

class Form2 {
public:
    explicit Form2(Form1& owner);
    ~Form2();
    Form2(const Form2&) = delete;
    Form2& operator=(const Form2&) = delete;

    Form1& owner;
    forms::Form form{"Form2"};
    forms::TextBox Text1{"Text1"};
    forms::Frame Frame1{"Frame1"};
    std::array<forms::Button, kKeyButtons> cmdBTN = buttonArray(std::make_index_sequence<kKeyButtons>());
    forms::Label lblSub{"lblSub"};
    forms::Button Command1[3] = {forms::Button{"Command1"}, forms::Button{"Command1"}, forms::Button{"Command1"}};

    // The working copy by button place; room for more, as it always had.
    std::array<int16_t, 101> keyWork{};
    bool captureReady = true;  // false while a capture polls

    void Form_Load();  // fills keyWork from the game window
    void cmdBTN_Click(int index);
    void Command1_Click(int index);
    // Every way of closing ends here: the game window is enabled again and
    // the dialog leaves the screen. The object itself stays until the game
    // window drops it, since this may run inside one of its own handlers.
    void Form_Unload();
    bool unloaded() const { return !form.loaded; }
    // True while a handler of this dialog runs a nested event loop; the
    // object must not be destroyed then.
    bool busy() const { return capturing_; }

private:
    void setButtonsEnabled(bool enabled);
    bool capturing_ = false;
};

}  // namespace game
