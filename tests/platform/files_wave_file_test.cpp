// SPDX-License-Identifier: GPL-3.0-or-later
// A sound is checked as bytes before it reaches the sound layer: only plain
// PCM the layer plays safely passes, whole frames of it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <string>

#include "files/wave_file.h"
#include "temp_folder.h"

namespace {

using platform::files::parseWave;

struct Header {
    uint16_t format = 1;
    uint16_t channels = 1;
    uint32_t rate = 22050;
    uint16_t bits = 16;
    uint32_t dataSize = 8;   // what the data chunk says it holds
    size_t dataPresent = 8;  // what follows it in the bytes
    const char* riff = "RIFF";
};

std::string le(uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += static_cast<char>(v >> (8 * i) & 0xFF);
    return s;
}

std::string wave(const Header& h) {
    const uint16_t block = static_cast<uint16_t>(h.channels * h.bits / 8);
    std::string fmt =
        le(h.format, 2) + le(h.channels, 2) + le(h.rate, 4) + le(h.rate * block, 4) + le(block, 2) + le(h.bits, 2);
    std::string body = "WAVE" + std::string("fmt ") + le(16, 4) + fmt + "LIST" + le(3, 4) + "abc" + '\0' + "data" +
                       le(h.dataSize, 4) + std::string(h.dataPresent, '\x11');
    return h.riff + le(static_cast<uint32_t>(body.size()), 4) + body;
}

TEST(FilesWaveFile, OnlyPlainPcmAtAUsualRateWithItsDataInsideTheFilePasses) {
    const struct {
        const char* what;
        std::string bytes;
        bool ok;
    } cases[] = {
        {.what = "16-bit mono", .bytes = wave({}), .ok = true},
        {.what = "8-bit stereo at 96000 Hz", .bytes = wave({.channels = 2, .rate = 96000, .bits = 8}), .ok = true},
        {.what = "8000 Hz", .bytes = wave({.rate = 8000}), .ok = true},
        {.what = "5 Hz", .bytes = wave({.rate = 5}), .ok = false},
        {.what = "1 Hz", .bytes = wave({.rate = 1}), .ok = false},
        {.what = "7999 Hz", .bytes = wave({.rate = 7999}), .ok = false},
        {.what = "96001 Hz", .bytes = wave({.rate = 96001}), .ok = false},
        {.what = "3 channels", .bytes = wave({.channels = 3}), .ok = false},
        {.what = "no channel", .bytes = wave({.channels = 0}), .ok = false},
        {.what = "24 bits", .bytes = wave({.bits = 24}), .ok = false},
        {.what = "float", .bytes = wave({.format = 3, .bits = 32}), .ok = false},
        {.what = "data past the end", .bytes = wave({.dataSize = 617u << 20}), .ok = false},
        {.what = "truncated header", .bytes = wave({}).substr(0, 30), .ok = false},
        {.what = "truncated data", .bytes = wave({.dataSize = 8, .dataPresent = 4}), .ok = false},
        {.what = "not RIFF", .bytes = wave({.riff = "RIFX"}), .ok = false},
        {.what = "empty", .bytes = "", .ok = false},
        {.what = "huge", .bytes = wave({.dataSize = 17u << 20, .dataPresent = 17u << 20}), .ok = false},
    };
    for (const auto& c : cases) {
        const platform::files::WaveRead read = parseWave(c.bytes);
        EXPECT_EQ(read.ok, c.ok) << c.what << ": " << read.problem;
        EXPECT_EQ(read.problem.empty(), c.ok) << c.what;
    }
}

TEST(FilesWaveFile, GivesTheFormatAndWholeFramesOfTheData) {
    const platform::files::WaveRead read =
        parseWave(wave({.channels = 2, .rate = 44100, .dataSize = 7, .dataPresent = 8}));
    ASSERT_TRUE(read.ok) << read.problem;
    EXPECT_EQ(read.sound.channels, 2);
    EXPECT_EQ(read.sound.bitsPerSample, 16);
    EXPECT_EQ(read.sound.sampleRate, 44100);
    EXPECT_EQ(read.sound.samples, std::string(4, '\x11')) << "a frame cut short is left out";
}

TEST(FilesWaveFile, AFifoInASoundsPlaceIsRefusedUnopened) {
    const fake::TempFolder folder;
    const std::string fifo = folder.file("voice1.wav");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_FALSE(platform::files::readWaveFile(fifo).ok);
}

}  // namespace
