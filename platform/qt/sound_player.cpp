// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound_player.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "files/wave_file.h"

namespace qtfront {

SoundPlayer::SoundPlayer() = default;

SoundPlayer::~SoundPlayer() { stop(); }

bool SoundPlayer::soundServerReachable() {
    const char* server = std::getenv("PULSE_SERVER");
    if (server && *server) return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime) return false;
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(runtime) / "pulse" / "native", error);
}

const SoundPlayer::Sound* SoundPlayer::load(const std::string& path) {
    auto found = sounds_.find(path);
    if (found != sounds_.end()) return found->second ? &*found->second : nullptr;
    std::optional<Sound>& slot = sounds_[path];
    const platform::files::WaveRead read = platform::files::readWaveFile(path);
    if (!read.ok) {
        // A missing sound was always skipped quietly; anything else is told once.
        if (read.problem != "missing")
            std::fprintf(stderr, "lanebeam: sound not played: %s: %s\n", path.c_str(), read.problem.c_str());
        return nullptr;
    }
    Sound sound;
    sound.format.setSampleRate(read.sound.sampleRate);
    sound.format.setChannelCount(read.sound.channels);
    sound.format.setSampleFormat(read.sound.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    sound.samples = QByteArray(read.sound.samples.data(), static_cast<qsizetype>(read.sound.samples.size()));
    slot = std::move(sound);
    return &*slot;
}

bool SoundPlayer::playable(const std::string& path) { return load(path) != nullptr; }

void SoundPlayer::stop() {
    if (sink_) sink_->stop();
    sink_.reset();
    buffer_.reset();
}

void SoundPlayer::play(const std::string& path) {
    if (path.empty()) return;
    const Sound* sound = load(path);
    stop();
    if (!sound || !soundServerReachable()) return;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return;
    // A new sink for every sound: one started again while it plays begins
    // from the start, and a server that restarted is reached afresh.
    buffer_ = std::make_unique<QBuffer>();
    buffer_->setData(sound->samples);
    buffer_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, sound->format);
    sink_->start(buffer_.get());
}

}  // namespace qtfront
