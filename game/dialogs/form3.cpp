// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/form3.h"

#include "shell/form1.h"
#include "shell/version.h"

namespace game {

Form3::Form3(Form1& o) : owner(o) {
    form.caption = "ルル子のVORN BEAMのｳﾞｧｰｼﾞｮﾝ情報";
    form.clientWidth = 312;
    form.clientHeight = 174;
    form.dialog = true;
    form.onUnload = [this] { Form_Unload(); };
    form.onKeyDown = [this](int vk) {
        if (vk == vk::kEscape) Form_Unload();
    };

    Image1.move(12, 20, 144, 144);
    Label1.move(172, 24, 121, 21);
    Label1.caption = "制作 lanebeam";
    Label1.fontPoints = 12;
    Label1.proportionalFont = true;
    Label2.move(216, 52, 93, 21);
    Label2.caption = "November,2000";
    Label2.onMouseMove = [this] { Label2_MouseMove(); };
    Label3.move(188, 68, 113, 17);
    Command1.move(168, 88, 125, 73);
    Command1.fontPoints = 26.25;
    Command1.onClick = [this] { Command1_Click(); };
    form.controls = {&Image1, &Label1, &Label2, &Label3, &Command1};
}

Form3::~Form3() = default;

void Form3::Form_Load() {
    Image1.picture = owner.form.icon;
    closeClicks = 0;
    Command1.caption = "消える";
    Label3.caption = std::string("Ver ") + kVersion;
}

void Form3::Label2_MouseMove() { Label2.caption = "October,2001"; }

void Form3::Command1_Click() {
    if (unloaded()) return;
    ++closeClicks;
    if (closeClicks == 1) {
        Image1.picture = QImage();
        Command1.caption = "閉じる";
    } else if (closeClicks == 2) {
        Form_Unload();
    }
}

void Form3::Form_Unload() {
    if (unloaded()) return;
    form.loaded = false;
    owner.sv.unloadForm(form);
}

void Form1::mnuVersion_Click() {
    if (form3 && form3->unloaded()) form3.reset();
    if (!form3) {
        form3 = std::make_shared<Form3>(*this);
        form3->Form_Load();
    }
    // Shown again while open, it only comes to the front and keeps its state.
    sv.showForm(form3->form);
}

}  // namespace game
