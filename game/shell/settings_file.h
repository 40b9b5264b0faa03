// vnbeam.ini on disk: the atomic write, and the bridge between the file's values
// and the game window.
#pragma once

#include <string>
#include <string_view>

#include "shell/settings_format.h"

namespace game {

class Form1;

// Replaces the file at `path` by `bytes`: a temporary file in the same folder is
// written, synced and renamed over the old one, so a crash, a kill or a full
// disk leaves either the old file or the new one, whole. False when it failed;
// the old file is then untouched and no temporary file is left.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

// What the file would carry now: the window position, the table, the keys, the
// unlock stage, the voice check mark and the difficulty.
settings::SettingsValues currentSettings(const Form1& f);

// The save made as soon as the game end records a best score or an unlock. Its
// filler comes from a generator of its own, so saving does not shift the game's
// random sequence.
bool saveSettingsNow(Form1& f);

}  // namespace game
