// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/wave_file.h"

#include <cstdint>

#include "files/regular_file.h"

namespace platform::files {

namespace {

uint32_t le32(std::string_view b, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

uint16_t le16(std::string_view b, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

WaveRead refused(const char* problem) {
    WaveRead read;
    read.problem = problem;
    return read;
}

}  // namespace

WaveRead parseWave(std::string_view bytes) {
    if (bytes.size() > kLargestWaveFile) return refused("larger than 16 MB");
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
        return refused("not a RIFF/WAVE file");
    bool haveFormat = false;
    WaveSound sound;
    size_t blockAlign = 0;
    // Chunks follow one another, each padded to an even length; the RIFF size
    // is not trusted, the bytes there are.
    for (size_t at = 12; bytes.size() - at >= 8;) {
        const std::string_view id = bytes.substr(at, 4);
        const size_t size = le32(bytes, at + 4);
        const size_t body = at + 8;
        if (size > bytes.size() - body) return refused(id == "data" ? "data past the end of the file" : "cut short");
        if (id == "fmt ") {
            if (size < 16) return refused("format chunk too short");
            const uint16_t format = le16(bytes, body);
            sound.channels = le16(bytes, body + 2);
            const uint32_t rate = le32(bytes, body + 4);
            blockAlign = le16(bytes, body + 12);
            sound.bitsPerSample = le16(bytes, body + 14);
            if (format != 1) return refused("not plain PCM");
            if (sound.channels < 1 || sound.channels > 2) return refused("not one or two channels");
            if (sound.bitsPerSample != 8 && sound.bitsPerSample != 16) return refused("not 8 or 16 bits");
            if (rate < kLowestWaveRate || rate > kHighestWaveRate) return refused("rate outside 8000 to 96000 Hz");
            if (blockAlign != static_cast<size_t>(sound.channels * sound.bitsPerSample / 8))
                return refused("frame size does not match");
            sound.sampleRate = static_cast<int>(rate);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) return refused("data before the format");
            sound.samples = std::string(bytes.substr(body, size - size % blockAlign));
            WaveRead read;
            read.ok = true;
            read.sound = std::move(sound);
            return read;
        }
        at = body + size + (size & 1);
        if (at > bytes.size()) break;
    }
    return refused(haveFormat ? "no data" : "no format");
}

WaveRead readWaveFile(const std::string& path) {
    const FileBytes file = readRegularFile(path, kLargestWaveFile);
    switch (file.status) {
    case ReadStatus::Ok: return parseWave(file.bytes);
    case ReadStatus::TooBig: return refused("larger than 16 MB");
    case ReadStatus::Missing: return refused("missing");
    case ReadStatus::NotRegular: return refused("not a regular file");
    case ReadStatus::Unreadable: break;
    }
    return refused("unreadable");
}

}  // namespace platform::files
