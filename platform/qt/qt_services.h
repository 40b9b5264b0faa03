// SPDX-License-Identifier: GPL-3.0-or-later
// The platform services on Qt Widgets and Qt Multimedia: the real windows of
// the form models, the key-state table, sound, the shell, the clipboard and the
// modal boxes.
//
// No game code runs inside Qt's event dispatch: a menu command, a click, a mouse
// move or the close box only queues the model's callback, and DoEvents runs the
// queue after Qt has returned. So the game may end the program (an exception),
// open a modal box or destroy a form from any callback.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/services.h"

class QAction;
class QWidget;

namespace qtfront {

class DocumentOpener;
class FormWindow;
class Gamepads;
class KeyState;
class SoundPlayer;

class QtServices : public platform::Services {
public:
    // Needs the QApplication to exist already, and to outlive this object.
    QtServices();
    ~QtServices() override;
    QtServices(const QtServices&) = delete;
    QtServices& operator=(const QtServices&) = delete;

    int16_t GetKeyState(int vk) override;
    void DoEvents() override;
    void idle(int32_t deadline) override;
    void repaint() override;
    void sndPlaySoundA(const std::string& path, uint32_t flags) override;
    bool shellOpen(const std::string& file, const std::string& folder, std::function<void()> failed) override;
    void setClipboardImage(const QImage& image) override;
    void msgBox(const std::string& text, const std::string& title, int style) override;
    std::string inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
    void showForm(forms::Form& form) override;
    void unloadForm(forms::Form& form) override;
    [[noreturn]] void endProgram(int status) override;

    // The widgets showing a model, for tests and tools; nullptr when not shown.
    QWidget* windowOf(const forms::Form& form) const;
    QWidget* widgetOf(const forms::Control& control) const;
    QAction* actionOf(const forms::MenuItem& item) const;
    size_t queuedCallbacks() const { return queue_.size(); }
    // Where a scalable form's window keeps its size between runs; nowhere
    // until this is set.
    void setWindowSizeFile(const std::string& path) { windowSizeFile_ = path; }
    // Forgets every key held, as when the application loses the keyboard.
    void releaseKeys();
    // The run must end (a signal, a logout, a lost display): every open box is
    // answered as cancelled, later boxes return at once, and the main form is
    // closed as by its close box, so the game saves and ends at its next
    // DoEvents.
    void requestEnd();
    // Boxes return at once from now on (the display may be gone).
    void markEnding() { ending_ = true; }
    // Brings the game's windows to the front, as a second start asks.
    void raiseWindows();
    const Gamepads& gamepads() const { return *pads_; }

private:
    struct Queued {
        const forms::Form* form;
        const void* source;
        bool coalesce;
        std::function<void()> action;
    };

    FormWindow* find(const forms::Form& form) const;
    void post(const forms::Form* form, const void* source, std::function<void()> action, bool coalesce);
    void runQueue();
    void syncAll();
    // The window a modal box belongs to, and the keyboard handed back after it.
    QWidget* boxParent() const;
    void afterModal(QWidget* previouslyActive);
    // The pads drive the key table of the form they play, while a player
    // could press its keys: never a menu, a modal box or a dialog.
    void pollPads();
    FormWindow* padTarget() const;

    std::vector<std::unique_ptr<FormWindow>> windows_;
    std::deque<Queued> queue_;
    std::unique_ptr<KeyState> keys_;
    std::unique_ptr<Gamepads> pads_;
    std::unique_ptr<SoundPlayer> sound_;
    std::unique_ptr<DocumentOpener> opener_;
    std::string windowSizeFile_;
    bool ending_ = false;
};

}  // namespace qtfront
