#include "dialogs/form2.h"

#include "shell/form1.h"

namespace game {

namespace {

struct KeyButton {
    const char* caption;
    int16_t GameState::*key;
    forms::Color color;
    int left, top, width, height;  // in Frame1
};

// Button order is the order on screen; the lane keys are not numbered in lane
// order, so each button names its variable.
const KeyButton kKeyButtonTable[kKeyButtons] = {
    {"1 左端", &GameState::KeyS0, forms::rgb(160, 160, 255), 12, 24, 77, 29},
    {"2", &GameState::KeyS2, forms::rgb(160, 255, 160), 96, 24, 77, 29},
    {"3 中央", &GameState::KeyS4, forms::rgb(255, 255, 144), 180, 24, 77, 29},
    {"4", &GameState::KeyS3, forms::rgb(255, 192, 128), 264, 24, 77, 29},
    {"5 右端", &GameState::KeyS1, forms::rgb(255, 144, 128), 348, 24, 77, 29},
    {"VORN BEAMを撃つ", &GameState::KeyS5, forms::rgb(255, 192, 192), 12, 112, 141, 41},
    {"V.BEAM一列一斉発射", &GameState::KeyS6, forms::rgb(192, 255, 192), 160, 112, 93, 41},
    {"光の尾を纏ったV.BEAM", &GameState::KeyS7, forms::rgb(192, 255, 192), 256, 112, 97, 41},
    {"敵の動きを止める", &GameState::KeyS8, forms::rgb(192, 255, 192), 356, 112, 81, 41},
    {"１列左", &GameState::KeyS9, forms::rgb(128, 255, 255), 140, 68, 77, 29},
    {"１列右", &GameState::KeySA, forms::rgb(255, 128, 255), 224, 68, 77, 29},
};

const char* const kCommandCaptions[3] = {"デフォルトの設定", "設定完了", "設定をやめる"};

constexpr int kFirstCapturedCode = 10;  // below: mouse buttons, Backspace, Tab
constexpr int kLastCapturedCode = 254;  // the highest code the settings file keeps
constexpr int kCancelCode = 3;          // the Cancel key, alone among the mouse buttons
// What the key table reads for a key Windows has no code for.
constexpr int kNoCode = 255;

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
    for (int i = 0; i < kKeyButtons; ++i) {
        const KeyButton& b = kKeyButtonTable[i];
        forms::Button& button = cmdBTN[i];
        button.index = i;
        button.caption = b.caption;
        button.backColor = b.color;
        button.move(b.left, b.top, b.width, b.height);
        button.parent = &Frame1;
        button.onClick = [this, i] { cmdBTN_Click(i); };
        form.controls.push_back(&button);
    }
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
    for (int i = 0; i < kKeyButtons; ++i) keyWork[i] = owner.*kKeyButtonTable[i].key;
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
    std::array<bool, kNoCode + 1> held{};
    for (int vk = 0; vk <= kNoCode; ++vk) held[vk] = owner.keyDown(vk);
    const auto pressed = [&](int vk) {
        const bool down = owner.keyDown(vk);
        if (!down) held[vk] = false;
        return down && !held[vk];
    };
    int code = 0;
    while (code == 0) {
        owner.sv.DoEvents();
        if (unloaded()) break;  // closed by its frame: the capture is cancelled
        if (pressed(kCancelCode)) code = kCancelCode;
        for (int vk = kFirstCapturedCode; vk <= kLastCapturedCode; ++vk)
            if (pressed(vk)) code = vk;
        if (code == 0 && pressed(kNoCode)) code = kNoCode;
        if (code == 0) owner.sv.idle(tickAdd(owner.now(), 1));
    }

    if (code == 0 || code == vk::kEscape) {
        lblSub.caption = "設定はキャンセルされました。";
    } else if (code == kNoCode) {
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
        for (int i = 0; i < kKeyButtons; ++i) owner.*kKeyButtonTable[i].key = keyWork[i];
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
