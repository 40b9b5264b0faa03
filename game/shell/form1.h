// SPDX-License-Identifier: GPL-3.0-or-later
// Form1, the game window: the controls, the menu tree, the game state record
// and every operation of the game, as argument-less procedures on the window.
// The operations are defined in the files of their subsystem (sim/, render/,
// menu/, dialogs/, shell/).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "forms/forms.h"
#include "forms/services.h"
#include "forms/virtual_keys.h"
#include "loader/game_paths.h"
#include "shell/game_state.h"
#include "shell/random.h"
#include "shell/title.h"
#include "shell/vbmath.h"

namespace game {

class BlendLibrary;
class Form2;
class Form3;

constexpr int kPlaySize = 350;  // the play picture is 350 x 350
constexpr float kWindowWidthTwips = 5355;
constexpr float kWindowHeightTwips = 5940;

enum class SaveOutcome {
    Saved,
    Failed,  // the old file is left whole
    Held,    // a damaged file that could not be set aside is not replaced this run
};

// What the settings file allows this run, and what the player was told of it.
struct SettingsFileRun {
    bool mayReplace = true;
    bool toldSaveFailed = false;
    bool settingsRead = false;           // the values in the game are the file's (or its defaults), fit to be saved
    std::vector<std::string> toldNames;  // names told to lose characters in the file
};

class Form1 : public GameState {
public:
    // `paths` names every file the game reads and writes; a plain folder holds
    // them all side by side.
    Form1(platform::Services& services, platform::GamePaths paths);
    Form1(platform::Services& services, const std::string& programFolder);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    platform::Services& sv;
    platform::GamePaths paths;
    std::unique_ptr<BlendLibrary> blend;
    Random rnd;
    SettingsFileRun settingsRun;

    // ---- the window and its controls ----
    forms::Form form{"Form1"};
    forms::PictureBox picMain{"picMain", kPlaySize, kPlaySize};
    forms::PictureBox picSUB{"picSUB", kPlaySize, kPlaySize};  // hidden back buffer
    forms::PictureBox picBG{"picBG", kPlaySize, kPlaySize};
    forms::PictureBox picREADY{"picREADY", 1, 83};
    forms::PictureBox picLv{"picLv", 314, 74};
    forms::PictureBox picNum{"picNum", 187, 30};
    forms::PictureBox picRRK{"picRRK", 151, 48};
    forms::PictureBox picTEKI{"picTEKI", 66, 47};
    forms::PictureBox picHRT{"picHRT", 52, 23};
    forms::PictureBox picEXP{"picEXP", 422, 105};
    forms::TextBox Text1{"Text1"};
    forms::Button Command1{"Command1"};
    forms::Label lblPause{"lblPause"};

    // ---- the menu tree (menu/menu_tree.cpp builds it) ----
    forms::MenuItem mnuMenu{"mnuMenu"}, mnuStart{"mnuStart"}, mnuPause{"mnuPause"}, zzz0{"zzz0"}, mnuHS{"mnuHS"},
        mnuBkT{"mnuBkT"}, zzz1{"zzz1"}, mnuQuit{"mnuQuit"};
    forms::MenuItem mnuOption{"mnuOption"}, mnuLevel{"mnuLevel"};
    forms::MenuItem mnulv[8];
    forms::MenuItem zzz3{"zzz3"}, mnu_UseMMX{"mnu_UseMMX"}, mnuKeys{"mnuKeys"}, mnuVoice{"mnuVoice"}, mnuVio{"mnuVio"},
        mnuFPS{"mnuFPS"}, zzz5{"zzz5"}, mnuReset{"mnuReset"};
    forms::MenuItem mnuDBG{"mnuDBG"}, mnuCODE{"mnuCODE"}, mnuCapture{"mnuCapture"};
    forms::MenuItem mnuHelp{"mnuHelp"}, mnuWeb{"mnuWeb"}, zzz4{"zzz4"}, mnuVersion{"mnuVersion"};

    // The two secondary windows, loaded while open. Shared pointers for their
    // deleters, made where the dialogs are: the shell never needs to see them.
    std::shared_ptr<Form2> form2;
    std::shared_ptr<Form3> form3;

    // ---- small shared helpers ----
    int32_t now() const { return GetTickCount(); }
    float Rnd() { return rnd.next(); }
    // Plays "vrnvoice/<name>.wav" of the assets folder when mnuVoice is checked.
    void playVoice(const char* name);
    bool goldenFinger() const { return mnulv[5].checked; }
    bool spiritualFever() const { return mnulv[6].checked; }
    bool suddenMode() const { return mnulv[7].checked; }
    bool keyDown(int vk) { return (sv.GetKeyState(vk) & vk::kDownBit) != 0; }
    // Repeats DoEvents until the tick passes `deadline`.
    void waitProcessingEvents(int32_t deadline);

    // ---- shell: start-up, main loop, scenes (shell/) ----
    void Form_Load();  // start-up, then the main loop; leaves only by ProgramEnd
    void startUp();    // everything before the main loop
    void loadPictures();
    void mainLoop();
    void runPass();  // one pass: the current scene, then DoEvents
    void titleScene();
    void getReadyScene();
    void playFrame();
    void keyPollingWait();
    void gameOverScene();
    void resetGame();
    void setDefaultKeys();
    // One of the play keys (shell/play_keys.h), as the player configured them.
    bool isPlayKey(int code) const;
    void mnuStart_Click();
    void Command1_Click();
    // What a game pad presses: the keys of the actions as they stand, Space to
    // start on the title and to end a pause; Start alone pauses, as F3 does.
    forms::PadKeys padKeys() const;
    void padStart();  // menu/pause.cpp
    // The close box and the quit command: writes the settings file, ends the
    // program (shell/settings_file.cpp).
    void Form_Unload();

    // ---- settings file (shell/settings_file.cpp) ----
    // Reads vnbeam.ini; a damaged one is set aside and the player told.
    void readSettingsFile();
    // Writes vnbeam.ini atomically.
    SaveOutcome writeSettingsFile();

    // ---- game end (shell/game_end.cpp) ----
    void gameEnd();

    // ---- simulation (sim/) ----
    void fireShot();
    void moveShots();
    bool spawnTest();  // computes frameGate, draws r, true when a group spawns
    void spawnEnemies();
    void spawnOneEnemy();
    void moveEnemies();
    void resolveHits();
    void gainGauge(int shot);
    void updateLevel();
    void spawnParticle(int16_t x, int16_t y);
    void ageParticles();
    void fireVolley();
    void fireWaveShots();
    void freezeEnemies();
    void updateCaption();
    void playGameOverSequence();

    // ---- rendering (render/) ----
    void drawFrame();
    void drawStatus();
    // An additive sprite of w x h from source (sx, sy) of `sprite` onto picSUB.
    void addSprite(int x, int y, int w, int h, const forms::PictureBox& sprite, int sx, int sy);
    // A masked sprite: mask, then image, both with SRCERASE, onto picSUB.
    void maskedSprite(int x, int y, int w, int h, const forms::PictureBox& strip, int imageX, int imageY, int maskX,
                      int maskY);

    // ---- menu commands (menu/) ----
    void buildMenuTree();
    void mnulv_Click(int index);
    void mnuVoice_Click();
    void mnuVio_Click();
    void mnuFPS_Click();
    void mnu_UseMMX_Click();
    void mnuPause_Click();
    void mnuBkT_Click();
    void mnuQuit_Click();
    void mnuHS_Click();
    void mnuReset_Click();
    // The best-score table of a fresh start: 6000 ... 10000 points by "---".
    void setFactoryTable();
    void mnuCODE_Click();
    void mnuCapture_Click();
    void mnuWeb_Click();
    void mnuKeys_Click();     // dialogs/form2.cpp
    void mnuVersion_Click();  // dialogs/form3.cpp
    // The unlock stage's effect on the difficulty menu (start-up and game end).
    void applyUnlockStage(int16_t stage);
};

}  // namespace game
