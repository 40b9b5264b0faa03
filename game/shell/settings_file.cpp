// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/settings_file.h"

#include <algorithm>

#include "files/atomic_file.h"
#include "files/regular_file.h"
#include "files/set_aside.h"
#include "shell/form1.h"
#include "shell/play_keys.h"

namespace game {

namespace {

namespace files = platform::files;

// Far more than the first 15 lines of any real file; a bigger file is read this
// far, and if its items don't end inside, it counts as damaged.
constexpr size_t kReadLimit = 1 << 20;

constexpr const char* kUnreadable = "設定ファイルを読み込めませんでした。\r\n設定とハイスコアは初期値で始めます。\r\n";
constexpr const char* kKeptAs = "元のファイルは次の名前で残してあります。\r\n";
constexpr const char* kHeld =
    "元のファイルを別の名前で残せなかったため、このファイルには書き込みません。\r\n"
    "今回の設定とハイスコアは保存されません。\r\n";
constexpr const char* kSaveFailedNow = "記録を設定ファイルに保存できませんでした。\r\n";
constexpr const char* kTryingLater = "\r\nゲームはこのまま続けられます。保存はこの後も試みます。";
constexpr const char* kSaveFailedAtEnd = "設定ファイルを保存できませんでした。\r\n";
constexpr const char* kMovedToUser =
    "プログラムのフォルダーに書き込めないため、設定とハイスコアは次の場所に保存します。\r\n";
constexpr const char* kNamesChanged =
    "次の名前には設定ファイルに保存できない文字があります。\r\nその文字は「?」として保存します。\r\n";

// Names the file will not hold as they are, each told once a run.
void tellUnstorableNames(Form1& f) {
    std::string lines;
    for (const std::string& name : f.hiName) {
        bool lost = false;
        const std::string stored = settings::nameAsStored(name, &lost);
        if (!lost || std::ranges::find(f.settingsRun.toldNames, name) != f.settingsRun.toldNames.end()) continue;
        f.settingsRun.toldNames.push_back(name);
        lines += "\r\n「" + name + "」→「" + stored + "」";
    }
    if (!lines.empty()) f.sv.msgBox(kNamesChanged + lines.substr(2), kTitle, platform::kMbExclamation);
}

// Takes the file's values into the game; false when they are not settings.
bool takeSettings(Form1& f, const std::string& bytes) {
    const settings::ReadOutcome read = settings::readSettings(bytes, currentSettings(f));
    if (!read.ok) return false;
    const settings::SettingsValues& v = read.values;
    f.form.left = v.windowLeft;
    f.form.top = v.windowTop;
    f.hiScore = v.hiScore;
    f.hiName = v.hiName;
    setKeyCodes(f, v.keys);
    f.unlockStage = v.unlockStage;
    f.difficulty = v.difficulty;
    f.mnuVoice.checked = v.voice;
    return true;
}

SaveOutcome save(Form1& f, Random& fillerSource) {
    // Nothing is written before the file was read: it would replace the
    // player's settings with the start-up values.
    if (!f.settingsRun.settingsRead) return SaveOutcome::Held;
    if (!f.settingsRun.mayReplace) return SaveOutcome::Held;
    tellUnstorableNames(f);
    std::string bytes = settings::writeSettings(currentSettings(f), settings::drawFiller(fillerSource));
    return files::writeFileAtomically(f.paths.settingsFile, bytes) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

}  // namespace

settings::SettingsValues currentSettings(const Form1& f) {
    settings::SettingsValues v;
    v.windowLeft = f.form.left;
    v.windowTop = f.form.top;
    v.hiScore = f.hiScore;
    v.hiName = f.hiName;
    v.keys = keyCodes(f);
    v.unlockStage = f.unlockStage;
    v.voice = f.mnuVoice.checked;
    v.difficulty = f.difficulty;
    return v;
}

void saveSettingsNow(Form1& f) {
    Random own;
    own.seedFromTimeOfDay();
    if (save(f, own) != SaveOutcome::Failed || f.settingsRun.toldSaveFailed) return;
    f.settingsRun.toldSaveFailed = true;
    f.sv.msgBox(kSaveFailedNow + f.paths.settingsFile + kTryingLater, kTitle, platform::kMbCritical);
}

void Form1::readSettingsFile() {
    settingsRun.settingsRead = true;
    const std::string& path = paths.settingsFile;
    // Saves killed in earlier runs leave their temporary files beside it.
    files::removeLeftoverTemporaries(path);

    const files::FileBytes file = files::readRegularFile(path, kReadLimit);
    if (file.status == files::ReadStatus::Missing) {
        // A first run starts from the file kept beside the program, if any, or
        // from the table the reset command gives, so the first game of each
        // difficulty is not a best score by default.
        const files::FileBytes start = paths.startingSettings.empty()
                                           ? files::FileBytes{}
                                           : files::readRegularFile(paths.startingSettings, kReadLimit);
        if (start.status != files::ReadStatus::Ok || !takeSettings(*this, start.bytes)) setFactoryTable();
        // A copy whose own folder is read-only says once where its files go.
        if (paths.place == platform::DataPlace::UserReadOnly)
            sv.msgBox(kMovedToUser + path, kTitle, platform::kMbInformation);
        return;
    }
    if ((file.status == files::ReadStatus::Ok || file.status == files::ReadStatus::TooBig) &&
        takeSettings(*this, file.bytes))
        return;
    // Damaged, unreadable, or not a file at all: whatever is there is kept
    // under a free name, and if it can't be, it is never replaced this run.
    const std::string kept = files::setAside(path, settings::kDamagedSuffix);
    settingsRun.mayReplace = !kept.empty();
    sv.msgBox(std::string(kUnreadable) + (kept.empty() ? kHeld + path : kKeptAs + kept), kTitle,
              platform::kMbExclamation);
}

SaveOutcome Form1::writeSettingsFile() { return save(*this, rnd); }

void Form1::Form_Unload() {
    if (writeSettingsFile() == SaveOutcome::Failed)
        sv.msgBox(kSaveFailedAtEnd + paths.settingsFile, kTitle, platform::kMbCritical);
    sv.endProgram(0);
}

}  // namespace game
