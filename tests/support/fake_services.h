// The fake platform: the services without a display, on a virtual clock, with
// scripted keys, clicks and answers, recording what the game shows and plays.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/services.h"
#include "shell/form1.h"

namespace fake {

class FakeServices : public platform::Services {
public:
    // Installs the virtual clock as GetTickCount's source, starting at `start`.
    explicit FakeServices(int32_t start = 1'000'000);
    ~FakeServices() override;

    // ---- the virtual clock ----
    int32_t clock;
    void advance(int32_t ms);
    // idle() advances the clock by this much (1 ms, like a real busy wait turn).
    int32_t idleStep = 1;
    // A runaway wait is a test failure, not a hang: idle() throws
    // std::runtime_error after this many turns in total.
    uint64_t idleBudget = 50'000'000;
    uint64_t idleTurns = 0;

    // ---- keys ----
    // Down for start <= now < end (virtual ticks, wrap-safe).
    void holdKey(int vk, int32_t start, int32_t end);
    // Down (or up) from now on, until changed.
    void setKey(int vk, bool down);
    void releaseAll();
    // Optional: decides every key state itself when set.
    std::function<bool(int vk, int32_t now)> keyScript;

    // ---- events run inside DoEvents ----
    // Runs once, at the first DoEvents at or after `tick`.
    void at(int32_t tick, std::function<void()> action);
    // Runs at every DoEvents.
    std::function<void()> onDoEvents;
    // Runs at every idle turn (a bot can press keys from here).
    std::function<void()> onIdle;

    // ---- answers to modal boxes ----
    std::deque<std::string> inputAnswers;  // popped in order; none left = cancel ("")
    std::function<std::string(const std::string& prompt, const std::string& title)> inputHandler;
    std::function<void(const std::string& text, const std::string& title, int style)> onMessage;
    bool shellOpenResult = true;
    bool shellOpenFailsLater = false;  // the viewer starts, then reports failure

    // ---- records ----
    struct Box {
        std::string text, title;
        int style = 0;
    };
    std::vector<Box> messages;  // message boxes
    std::vector<Box> inputs;    // input boxes: prompt in text, default text in title2
    std::vector<std::string> inputDefaults;
    std::vector<std::string> sounds;    // paths, in order
    std::vector<std::string> captions;  // every distinct caption of Form1 seen at a repaint or DoEvents
    std::vector<std::string> opened;    // documents passed to shellOpen
    QImage clipboard;
    int repaints = 0;
    int doEventsCalls = 0;
    std::vector<forms::Form*> shownForms;
    std::vector<std::string> unloadedForms;
    int endStatus = -1;  // the status of endProgram, -1 while running

    // ---- Services ----
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

private:
    void noteCaptions();
    struct Hold {
        int vk;
        int32_t start, end;
    };
    std::vector<Hold> holds_;
    std::map<int, bool> fixed_;
    std::vector<std::pair<int32_t, std::function<void()>>> scheduled_;
};

// A game window on the fake platform, reading its files from a program folder
// (the built one by default) and with a fixed seed.
struct Game {
    explicit Game(int32_t startTick = 1'000'000, std::string folder = defaultFolder());
    static std::string defaultFolder();

    FakeServices sv;
    game::Form1 f;

    // Start-up as Form_Load runs it, without entering the main loop.
    void startUp(uint64_t seed = 12345);
    // Runs passes of the main loop until `done` holds or `maxPasses` passed;
    // false when it never held.
    bool runUntil(const std::function<bool()>& done, int maxPasses = 100000);
    // Title -> get-ready -> the first play frame; Space is pressed briefly.
    void startPlaying();
    // Runs one play frame (one pass in scene 2).
    void frame() { f.runPass(); }
};

// The state invariants: every counter equals the live slots it counts, every
// index in its table. Returns a description of the first broken one, or "".
std::string checkInvariants(const game::Form1& f);

}  // namespace fake
