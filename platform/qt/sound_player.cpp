#include "sound_player.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace qtfront {

SoundPlayer::SoundPlayer() : available_(soundServerReachable()) {}

SoundPlayer::~SoundPlayer() = default;

bool SoundPlayer::soundServerReachable() {
    const char* server = std::getenv("PULSE_SERVER");
    if (server && *server) return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime) return false;
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(runtime) / "pulse" / "native", error);
}

void SoundPlayer::play(const std::string& path) {
    if (!available_ || path.empty()) return;
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) return;

    std::unique_ptr<QSoundEffect>& slot = effects_[path];
    if (!slot) {
        slot = std::make_unique<QSoundEffect>();
        slot->setSource(QUrl::fromLocalFile(file));
    }
    if (current_ && current_->isPlaying()) current_->stop();
    // A sound started again while it plays begins from the start, as a new one would.
    if (slot->isPlaying()) slot->stop();
    slot->play();
    current_ = slot.get();
}

}  // namespace qtfront
