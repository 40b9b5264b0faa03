// SPDX-License-Identifier: GPL-3.0-or-later
// The fake platform: the services without a display, on a virtual clock, with
// scripted keys and answers, recording what the game shows and plays. It knows
// the controls model only, never the game.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "forms/services.h"
#include "temp_folder.h"

namespace fake {

class FakeServices : public platform::Services {
public:
    // Installs the virtual clock as GetTickCount's source, starting at `start`.
    explicit FakeServices(int32_t start);
    ~FakeServices() override;

    int32_t clock;
    void advance(int32_t ms) { clock = later(clock, ms); }
    // The tick `ms` after `tick`, wrapping at 2^32 as the real tick does.
    static int32_t later(int32_t tick, int32_t ms) {
        return static_cast<int32_t>(static_cast<uint32_t>(tick) + static_cast<uint32_t>(ms));
    }
    int32_t idleStep = 1;  // what idle() advances the clock by, like a real busy-wait turn

    // A key is down while start <= now < end (wrap-safe), or whenever keyScript says so once it is set.
    struct Hold {
        int vk;
        int32_t start, end;
    };
    std::vector<Hold> holds;
    std::function<bool(int vk, int32_t now)> keyScript;

    // Runs `action` once, at the first DoEvents at or after `tick`.
    void at(int32_t tick, std::function<void()> action) { scheduled_.emplace_back(tick, std::move(action)); }
    std::function<void()> onDoEvents, onIdle, onMessage;

    std::deque<std::string> inputAnswers;  // popped in order; none left gives otherAnswer ("": cancelled)
    std::string otherAnswer;
    bool shellOpenResult = true, shellOpenFailsLater = false;  // the viewer starts, then reports failure

    struct Box {
        std::string text, title;
        int style = 0;
    };
    std::vector<Box> messages, inputs;  // an input box's prompt is its text
    // Captions: every distinct caption of Form1 seen at a repaint, a box or DoEvents.
    std::vector<std::string> sounds, captions, opened, unloadedForms;
    QImage clipboard;
    int repaints = 0, endStatus = -1;  // the status of endProgram, -1 while running
    const forms::Form* watched = nullptr;

    int16_t GetKeyState(int vk) override;
    void DoEvents() override;
    void idle(int32_t deadline) override;
    void repaint() override {
        ++repaints;
        noteCaption();
    }
    void sndPlaySoundA(const std::string& path, uint32_t) override { sounds.push_back(path); }
    bool shellOpen(const std::string& file, const std::string& folder, std::function<void()> failed) override {
        opened.push_back(folder + "/" + file);
        if (shellOpenResult && shellOpenFailsLater) at(clock, std::move(failed));
        return shellOpenResult;
    }
    void setClipboardImage(const QImage& image) override { clipboard = image; }
    void msgBox(const std::string& text, const std::string& title, int style) override {
        noteCaption();
        messages.push_back({text, title, style});
        if (onMessage) onMessage();
    }
    std::string inputBox(const std::string& prompt, const std::string& title, const std::string&) override;
    void showForm(forms::Form& form) override {
        form.visible = true;
        noteCaption();
    }
    void unloadForm(forms::Form& form) override {
        form.visible = false;
        unloadedForms.push_back(form.name);
    }
    [[noreturn]] void endProgram(int status) override {
        endStatus = status;
        throw platform::ProgramEnd{status};
    }

private:
    void noteCaption();
    std::vector<std::pair<int32_t, std::function<void()>>> scheduled_;
    uint64_t idleTurns_ = 0;
};

}  // namespace fake
