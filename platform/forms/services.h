// SPDX-License-Identifier: GPL-3.0-or-later
// The operating-system services the game uses besides device contexts, behind
// one interface: the Qt front implements it for real, the tests with a fake.
#pragma once

#include <QImage>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "forms/forms.h"

namespace platform {

// Message box styles: the icon that goes with an OK button.
enum MessageStyle : int {
    kMbCritical = 16,
    kMbExclamation = 48,
    kMbInformation = 64,
};

constexpr uint32_t kSndAsync = 1;

// Thrown by endProgram: unwinds whatever loop or scene is running straight to
// main, which returns the status.
struct ProgramEnd {
    int status = 0;
};

class Services {
public:
    virtual ~Services() = default;

    // Bit 0x80 set while the key with this virtual-key code is down.
    virtual int16_t GetKeyState(int vk) = 0;
    // Lets pending window events run: menu commands, clicks, the close box.
    virtual void DoEvents() = 0;
    // One turn of a busy wait that ends once the tick passes `deadline`; the
    // real one may sleep until then, never past it.
    virtual void idle(int32_t deadline) = 0;
    // Shows every form's current state now.
    virtual void repaint() = 0;
    // Starts a sound file (flag 1: asynchronously); a new sound replaces the one
    // playing. The result is ignored by the game, as it always was.
    virtual void sndPlaySoundA(const std::string& path, uint32_t flags) = 0;
    // Opens a document with the system's viewer without waiting for it; false
    // when no viewer could be started. A viewer that fails after it started
    // runs `failed` later, from DoEvents, like a menu command.
    virtual bool shellOpen(const std::string& file, const std::string& folder, std::function<void()> failed) = 0;
    virtual void setClipboardImage(const QImage& image) = 0;
    // Modal boxes: they run their own event loop until answered.
    virtual void msgBox(const std::string& text, const std::string& title, int style) = 0;
    // Returns the typed text; empty when cancelled.
    virtual std::string inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
    // Shows a form modeless (a second call brings it to the front).
    virtual void showForm(forms::Form& form) = 0;
    // Takes a form off the screen for good; the model may be destroyed after.
    virtual void unloadForm(forms::Form& form) = 0;
    // Ends the program at once by throwing ProgramEnd.
    [[noreturn]] virtual void endProgram(int status) = 0;
};

}  // namespace platform
