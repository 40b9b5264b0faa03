// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/form2.h"

#include "shell/form1.h"
#include "shell/settings_format.h"

namespace game {

namespace {

const char* const kCommandCaptions[3] = {"デフォルトの設定", "設定完了", "設定をやめる"};

constexpr int kFirstCapturedCode = 10;  // below: mouse buttons, Backspace, Tab
constexpr int kLastCapturedCode = settings::kHighestKey;

}  // namespace

Form2::Form2(Form1& o) : owner(o) {
    form.caption = "使用するキーの設定";
    form.clientWidth = 453;
    form.clientHeight = 366;
    form.dialog = true;
    form.onUnload = [this] { Form_Unload(); };
    // Escape closes the dialog as "設定をやめる" does, but not the Escape that
    // ends a capture: that one arrives while the capture still polls.
    form.onKeyDown = [this](int vk) {
        if (vk == vk::kEscape && captureReady) Command1_Click(2);
    };

    Text1.move(4, 16, 445, 81);
    Frame1.move(4, 112, 445, 165);
    Frame1.caption = " Key Select ";
    form.controls = {&Text1, &Frame1};
    for (const PlayKey& k : kPlayKeys) {
        const KeyButton& b = k.button;
        forms::Button& button = cmdBTN[b.place];
        button.index = b.place;
        button.caption = b.caption;
        button.backColor = b.color;
        button.move(b.left, b.top, b.width, b.height);
        button.parent = &Frame1;
        button.onClick = [this, i = b.place] { cmdBTN_Click(i); };
    }
    // In place order, which is the reading order Tab follows.
    for (forms::Button& button : cmdBTN) form.controls.push_back(&button);
    for (int i = 0; i < 3; ++i) {
        Command1[i].index = i;
        Command1[i].caption = kCommandCaptions[i];
        Command1[i].move(12 + 152 * i, 300, 121, 29);
        Command1[i].onClick = [this, i] { Command1_Click(i); };
        form.controls.push_back(&Command1[i]);
    }
    lblSub.move(8, 336, 437, 21);
    form.controls.push_back(&lblSub);
}

Form2::~Form2() = default;

void Form2::Form_Load() {
    for (const PlayKey& k : kPlayKeys) keyWork[k.button.place] = owner.*k.code;
    captureReady = true;
}

void Form2::setButtonsEnabled(bool enabled) {
    for (forms::Button& b : cmdBTN) b.enabled = enabled;
    for (forms::Button& b : Command1) b.enabled = enabled;
}

void Form2::cmdBTN_Click(int index) {
    if (index < 0 || index >= kKeyButtons || !captureReady || unloaded()) return;
    captureReady = false;
    capturing_ = true;
    lblSub.caption = "キーを押してください。 >" + cmdBTN[index].caption;
    setButtonsEnabled(false);
    owner.sv.repaint();

    // The key is polled, not taken from an event, so any key the keyboard
    // state knows can be chosen; the highest code down in a pass wins. A key
    // already down as the capture starts (the Return that pressed the button)
    // counts only once it has been let go and pressed again.
    std::array<bool, vk::kNoCode + 1> held{};
    for (int vk = 0; vk <= vk::kNoCode; ++vk) held[vk] = owner.keyDown(vk);
    const auto pressed = [&](int vk) {
        const bool down = owner.keyDown(vk);
        if (!down) held[vk] = false;
        return down && !held[vk];
    };
    int code = 0;
    while (code == 0) {
        owner.sv.DoEvents();
        if (unloaded()) break;  // closed by its frame: the capture is cancelled
        if (pressed(vk::kCancel)) code = vk::kCancel;
        for (int vk = kFirstCapturedCode; vk <= kLastCapturedCode; ++vk)
            if (pressed(vk)) code = vk;
        if (code == 0 && pressed(vk::kNoCode)) code = vk::kNoCode;
        if (code == 0) owner.sv.idle(tickAdd(owner.now(), 1));
    }

    if (code == 0 || code == vk::kEscape) {
        lblSub.caption = "設定はキャンセルされました。";
    } else if (code == vk::kNoCode) {
        lblSub.caption = "このキーは設定できません。";
    } else {
        keyWork[index] = static_cast<int16_t>(code);
        lblSub.caption = std::to_string(code) + "を設定しました。";
    }
    captureReady = true;
    capturing_ = false;
    setButtonsEnabled(true);
}

void Form2::Command1_Click(int index) {
    if (unloaded()) return;
    switch (index) {
    case 0:
        // The defaults go to the game window at once; cancelling won't undo them.
        owner.setDefaultKeys();
        lblSub.caption = "標準の設定にしました。";
        Form_Load();
        break;
    case 1:
        for (const PlayKey& k : kPlayKeys) owner.*k.code = keyWork[k.button.place];
        Form_Unload();
        break;
    case 2: Form_Unload(); break;
    default: break;
    }
}

void Form2::Form_Unload() {
    if (unloaded()) return;
    form.loaded = false;
    owner.form.enabled = true;
    owner.sv.unloadForm(form);
}

void Form1::mnuKeys_Click() {
    if (form2 && form2->unloaded()) {
        // A capture interrupted by the close box is still unwinding.
        if (form2->busy()) return;
        form2.reset();
    }
    if (!form2) {
        form2 = std::make_shared<Form2>(*this);
        form2->Form_Load();
    }
    form2->Text1.text = "ボタンをクリックしてから、使用するキーを押してください。\r\n[ESC]でキャンセルできます。";
    sv.showForm(form2->form);
    form.enabled = false;
}

}  // namespace game
