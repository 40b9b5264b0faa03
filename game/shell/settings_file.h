// SPDX-License-Identifier: GPL-3.0-or-later
// vnbeam.ini on disk: the bridge between the file's values and the game window,
// and what the player is told when the file lets them down.
#pragma once

#include "shell/settings_format.h"

namespace game {

class Form1;

// What the file would carry now: the window position, the table, the keys, the
// unlock stage, the voice check mark and the difficulty.
settings::SettingsValues currentSettings(const Form1& f);

// The save made as soon as the game end records a best score or an unlock. Its
// filler comes from a generator of its own, so saving does not shift the game's
// random sequence. The first failure of the run is told at once; every later
// save tries again.
void saveSettingsNow(Form1& f);

}  // namespace game
