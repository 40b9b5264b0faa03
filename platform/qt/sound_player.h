// The game's sounds through Qt Multimedia, one sound at a time.
#pragma once

#include <map>
#include <memory>
#include <string>

class QSoundEffect;

namespace qtfront {

class SoundPlayer {
public:
    // Looks once for a sound server; without one every call is silently nothing.
    SoundPlayer();
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Starts the file, stopping the sound that plays now; a missing file is skipped.
    void play(const std::string& path);
    bool available() const { return available_; }

    // Qt Multimedia prints warnings and plays nothing where no PulseAudio-compatible
    // server answers, so the player only uses it where one is reachable.
    static bool soundServerReachable();

private:
    bool available_ = false;
    std::map<std::string, std::unique_ptr<QSoundEffect>> effects_;
    QSoundEffect* current_ = nullptr;
};

}  // namespace qtfront
