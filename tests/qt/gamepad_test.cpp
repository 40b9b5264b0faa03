// SPDX-License-Identifier: GPL-3.0-or-later
// A game pad plays through the key table, by the codes bound to the actions,
// on SDL's virtual pad: no hardware needed.
#include <QTimer>

#include <SDL.h>

#include "qt/gamepad.h"
#include "qt_environment.h"

namespace {

// A pad plugged in for one test, laid out as SDL's standard game controller.
class VirtualPad {
public:
    VirtualPad() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "lanebeam test pad";
        index_ = SDL_JoystickAttachVirtualEx(&desc);
        if (index_ >= 0) joystick_ = SDL_JoystickOpen(index_);
    }
    ~VirtualPad() {
        if (joystick_) SDL_JoystickClose(joystick_);
        if (index_ >= 0) SDL_JoystickDetachVirtual(index_);
    }
    bool attached() const { return joystick_ != nullptr; }
    void button(SDL_GameControllerButton b, bool down) { SDL_JoystickSetVirtualButton(joystick_, b, down ? 1 : 0); }
    void stick(int16_t x) { SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX, x); }

private:
    int index_ = -1;
    SDL_Joystick* joystick_ = nullptr;
};

class QtGamepad : public QtGameWindow {
protected:
    void SetUp() override {
        QtGameWindow::SetUp();
        f.setDefaultKeys();
        f.mnuVoice.checked = false;
        ASSERT_TRUE(qttest::activate(window));
        ASSERT_TRUE(pad.attached()) << SDL_GetError();
        for (int i = 0; i < 3 && sv.gamepads().padsOpen() == 0; ++i) sv.DoEvents();
        ASSERT_EQ(sv.gamepads().padsOpen(), 1);
    }
    bool down(int vk) { return (sv.GetKeyState(vk) & 0x80) != 0; }
    VirtualPad pad;
};

// Each control holds the code now bound to its action while it is down, and
// lets go of the same code even when the binding changed in between.
TEST_F(QtGamepad, ControlsHoldTheCodesOfTheirActions) {
    f.KeyS5 = 'J';  // the fire key as the player set it
    f.scene = game::kPlayScene;
    struct Row {
        const char* control;
        std::function<void(bool)> act;
        int code;
    };
    const Row rows[] = {
        {.control = "d-pad left", .act = [&](bool d) { pad.button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, d); }, .code = 37},
        {.control = "d-pad right", .act = [&](bool d) { pad.button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, d); }, .code = 39},
        {.control = "stick left", .act = [&](bool d) { pad.stick(d ? -30000 : 0); }, .code = 37},
        {.control = "stick right", .act = [&](bool d) { pad.stick(d ? 30000 : 0); }, .code = 39},
        {.control = "south", .act = [&](bool d) { pad.button(SDL_CONTROLLER_BUTTON_A, d); }, .code = 'J'},
        {.control = "west", .act = [&](bool d) { pad.button(SDL_CONTROLLER_BUTTON_X, d); }, .code = 16},
        {.control = "north", .act = [&](bool d) { pad.button(SDL_CONTROLLER_BUTTON_Y, d); }, .code = 'M'},
        {.control = "east", .act = [&](bool d) { pad.button(SDL_CONTROLLER_BUTTON_B, d); }, .code = 'T'},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.control);
        r.act(true);
        sv.DoEvents();
        EXPECT_TRUE(down(r.code));
        f.KeyS9 = f.KeySA = f.KeyS6 = f.KeyS7 = f.KeyS8 = 'Q';  // rebound while held
        r.act(false);
        sv.DoEvents();
        sv.DoEvents();
        EXPECT_FALSE(down(r.code));
        f.setDefaultKeys();
        f.KeyS5 = 'J';
    }
    // On the title, south is Space, which starts a game.
    f.scene = game::kTitleScene;
    pad.button(SDL_CONTROLLER_BUTTON_A, true);
    sv.DoEvents();
    EXPECT_TRUE(down(32));
    pad.button(SDL_CONTROLLER_BUTTON_A, false);
    sv.DoEvents();
}

// The pad presses nothing while the game window is disabled (a dialog open),
// nor keeps what it held when one opens.
TEST_F(QtGamepad, DialogsSeeNothing) {
    f.scene = game::kPlayScene;
    pad.button(SDL_CONTROLLER_BUTTON_B, true);
    sv.DoEvents();
    ASSERT_TRUE(down('T'));
    f.form.enabled = false;
    sv.DoEvents();
    EXPECT_FALSE(down('T')) << "held as the window was disabled";
    pad.button(SDL_CONTROLLER_BUTTON_B, false);
    pad.button(SDL_CONTROLLER_BUTTON_A, true);
    sv.DoEvents();
    EXPECT_FALSE(down(32)) << "pressed while disabled";
    pad.button(SDL_CONTROLLER_BUTTON_A, false);
    f.form.enabled = true;
    sv.DoEvents();
}

// A short game on the pad: a lane to the right, a shot, a volley paid from
// the gauge, and Start to pause and again to resume.
TEST_F(QtGamepad, PlaysAShortGame) {
    f.resetGame();
    f.scene = game::kPlayScene;
    const auto poll = [&] {
        f.frameTick = f.now();
        f.frameGate = 0;
        f.keyPollingWait();
    };
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    sv.DoEvents();
    poll();
    EXPECT_EQ(f.laneRequest, 3) << "one lane right of the middle";
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    sv.DoEvents();

    pad.button(SDL_CONTROLLER_BUTTON_A, true);
    sv.DoEvents();
    poll();
    EXPECT_EQ(f.fireRequest, 1) << "a shot";
    pad.button(SDL_CONTROLLER_BUTTON_A, false);
    sv.DoEvents();

    f.gauge = 60;
    pad.button(SDL_CONTROLLER_BUTTON_X, true);
    sv.DoEvents();
    poll();
    EXPECT_EQ(f.gauge, 10) << "a volley costs 50";
    int shots = 0;
    for (int16_t lane : f.shotLane) shots += game::isLane(lane);
    EXPECT_EQ(shots, 5);
    pad.button(SDL_CONTROLLER_BUTTON_X, false);
    sv.DoEvents();

    bool paused = false;
    QTimer::singleShot(40, window, [&] { pad.button(SDL_CONTROLLER_BUTTON_START, false); });
    QTimer::singleShot(80, window, [&] { paused = f.lblPause.visible; });
    QTimer::singleShot(120, window, [&] { pad.button(SDL_CONTROLLER_BUTTON_START, true); });
    QTimer::singleShot(3000, window, [&] { f.lblPause.visible = false; });  // a stuck pause fails, not hangs
    pad.button(SDL_CONTROLLER_BUTTON_START, true);
    sv.DoEvents();  // the pause runs inside, as the F3 command does
    EXPECT_TRUE(paused);
    EXPECT_FALSE(f.lblPause.visible);
    EXPECT_TRUE(f.mnuPause.enabled) << "the pause has ended";
    pad.button(SDL_CONTROLLER_BUTTON_START, false);
    sv.DoEvents();
}

}  // namespace
