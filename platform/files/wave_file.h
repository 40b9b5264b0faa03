// SPDX-License-Identifier: GPL-3.0-or-later
// The game's sounds as bytes: a WAV file is checked here before any of it
// reaches the sound layer, which dies on some well-formed but strange files
// (a rate of a few hertz) and stalls on huge ones.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::files {

constexpr size_t kLargestWaveFile = 16 << 20;
constexpr int kLowestWaveRate = 8000;
constexpr int kHighestWaveRate = 96000;

struct WaveSound {
    int channels = 0;       // 1 or 2
    int bitsPerSample = 0;  // 8 (unsigned) or 16 (signed, little-endian)
    int sampleRate = 0;     // kLowestWaveRate ... kHighestWaveRate
    std::string samples;    // whole frames only
};

struct WaveRead {
    bool ok = false;
    std::string problem;  // why it was refused, for the player's terminal
    WaveSound sound;
};

// RIFF/WAVE with plain PCM (format 1), one or two channels of 8 or 16 bits at
// a usual rate, its data chunk inside the bytes, at most kLargestWaveFile.
WaveRead parseWave(std::string_view bytes);
// The same, from a regular file (a FIFO or a folder is refused unopened).
WaveRead readWaveFile(const std::string& path);

}  // namespace platform::files
