// SPDX-License-Identifier: GPL-3.0-or-later
// The game's sounds through Qt Multimedia, one sound at a time.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include <QAudioFormat>
#include <QByteArray>

class QAudioSink;
class QBuffer;

namespace qtfront {

class SoundPlayer {
public:
    SoundPlayer();
    // Stops and releases every sound, so nothing of the sound server's is
    // left working on them while the program ends.
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Starts the file, stopping the sound that plays now. A missing file is
    // skipped; one the check refuses stays silent and is named once on stderr.
    // Paths are the system's bytes.
    void play(const std::string& path);
    // Stops and releases the sound that plays now.
    void stop();
    // Whether a sound server can be reached now; asked at every sound, so a
    // server that went away and came back is used again.
    bool available() const { return soundServerReachable(); }
    // Whether the file passed the check (read once, then remembered).
    bool playable(const std::string& path);

    // Qt Multimedia prints warnings and plays nothing where no PulseAudio-compatible
    // server answers, so the player only uses it where one is reachable.
    static bool soundServerReachable();

private:
    struct Sound {
        QAudioFormat format;
        QByteArray samples;
    };
    const Sound* load(const std::string& path);

    std::map<std::string, std::optional<Sound>> sounds_;  // nullopt: refused or missing
    std::unique_ptr<QAudioSink> sink_;
    std::unique_ptr<QBuffer> buffer_;
};

}  // namespace qtfront
