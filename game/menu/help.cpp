// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <system_error>

#include "shell/form1.h"

namespace game {

void Form1::mnuWeb_Click() {
    constexpr const char* kHelpFile = "readme.html";
    auto cannotOpen = [this] {
        sv.msgBox(
            "予期せぬエラーが発生しました。\r\n"
            "readme.htmlが存在するか、また、ウェブブラウザがhtmlに関連付けられているか確認してください。",
            "とまどい", platform::kMbCritical);
    };
    std::error_code error;
    bool present = std::filesystem::is_regular_file(paths.asset(kHelpFile), error);
    // The viewer starts on its own; the game doesn't wait for it, and hears of
    // its failure when the viewer gives up.
    if (!present || !sv.shellOpen(kHelpFile, paths.assetsFolder, cannotOpen)) cannotOpen();
}

}  // namespace game
