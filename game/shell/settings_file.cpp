#include "shell/settings_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "shell/form1.h"

namespace game {

namespace {

namespace fs = std::filesystem;

// Far more than the first 15 lines of any real file; a bigger file is read this
// far, and if its items don't end inside, it counts as damaged.
constexpr size_t kReadLimit = 1 << 20;

std::atomic<unsigned> tempCounter{0};

enum class FileRead { Ok, Missing, Unreadable };

FileRead readFileStart(const std::string& path, std::string& bytes) {
    std::error_code ec;
    fs::file_status st = fs::status(path, ec);
    if (st.type() == fs::file_type::not_found) return FileRead::Missing;
    if (ec || st.type() != fs::file_type::regular) return FileRead::Unreadable;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return errno == ENOENT ? FileRead::Missing : FileRead::Unreadable;
    bytes.assign(kReadLimit, '\0');
    size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    bytes.resize(got);
    return failed ? FileRead::Unreadable : FileRead::Ok;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Makes the rename itself durable; a folder that can't be synced is no failure
// of the write, which has already happened.
void syncFolder(const fs::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool writeSettingsWith(Form1& f, Random& fillerSource) {
    std::string bytes = settings::writeSettings(currentSettings(f), settings::drawFiller(fillerSource));
    return writeFileAtomically(f.filePath(settings::kFileName), bytes);
}

}  // namespace

bool writeFileAtomically(const std::string& path, std::string_view bytes) {
    fs::path target(path);
    fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path temp = folder / ("." + target.filename().string() + "." + std::to_string(::getpid()) + "." +
                                  std::to_string(tempCounter++) + ".tmp");
        // 0666 under the umask, like any file the program creates.
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
        ok = ::close(fd) == 0 && ok;
        if (ok && ::rename(temp.c_str(), target.c_str()) == 0) {
            syncFolder(folder);
            return true;
        }
        ::unlink(temp.c_str());
        return false;
    }
    return false;
}

settings::SettingsValues currentSettings(const Form1& f) {
    settings::SettingsValues v;
    v.windowLeft = f.form.left;
    v.windowTop = f.form.top;
    v.hiScore = f.hiScore;
    v.hiName = f.hiName;
    v.keys = {f.KeyS0, f.KeyS1, f.KeyS2, f.KeyS3, f.KeyS4, f.KeyS5,
              f.KeyS6, f.KeyS7, f.KeyS8, f.KeyS9, f.KeySA};
    v.unlockStage = f.unlockStage;
    v.voice = f.mnuVoice.checked;
    v.difficulty = f.difficulty;
    return v;
}

bool saveSettingsNow(Form1& f) {
    Random own;
    own.seedFromTimeOfDay();
    return writeSettingsWith(f, own);
}

void Form1::readSettingsFile() {
    const std::string path = filePath(settings::kFileName);
    std::string bytes;
    // A missing file, or one that can't be read at all, leaves everything as
    // start-up set it; the write at the end replaces it.
    if (readFileStart(path, bytes) != FileRead::Ok) return;

    settings::ReadOutcome read = settings::readSettings(bytes, currentSettings(*this));
    if (!read.ok) {
        // Kept for whoever wants to look at it; the game goes on as if it
        // weren't there.
        std::error_code ec;
        fs::rename(path, filePath(settings::kDamagedFileName), ec);
        return;
    }
    const settings::SettingsValues& v = read.values;
    form.left = v.windowLeft;
    form.top = v.windowTop;
    hiScore = v.hiScore;
    hiName = v.hiName;
    int16_t* keys[settings::kKeyCount] = {&KeyS0, &KeyS1, &KeyS2, &KeyS3, &KeyS4, &KeyS5,
                                          &KeyS6, &KeyS7, &KeyS8, &KeyS9, &KeySA};
    for (int k = 0; k < settings::kKeyCount; ++k) *keys[k] = v.keys[k];
    unlockStage = v.unlockStage;
    difficulty = v.difficulty;
    mnuVoice.checked = v.voice;
}

bool Form1::writeSettingsFile() { return writeSettingsWith(*this, rnd); }

}  // namespace game
