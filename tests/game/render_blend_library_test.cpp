// SPDX-License-Identifier: GPL-3.0-or-later
// The game's run-time binding of pxmix: it opens the library by its path at
// the first call of either export (the game's own pictures show it working),
// and every way that fails ends in a LibraryError naming the file, again at
// every later call; a cut library or a FIFO is refused before the system
// loader sees it.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "render/blend_library.h"
#include "shell/load_messages.h"
#include "temp_folder.h"

namespace {

TEST(RenderBlendLibrary, FailuresNameTheFileAndRepeat) {
    const fake::TempFolder own;
    ASSERT_FALSE(own.path.empty());
    const std::string bin = LANEBEAM_BIN_DIR;
    const std::string temp = own.path;
    const std::string fifo = temp + "/fifo-libpxmix.so";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::ifstream in(bin + "/libpxmix.so", std::ios::binary);
    const std::string whole(std::istreambuf_iterator<char>(in), {});
    struct Case {
        std::string path;
        std::string mentions;  // besides the path
    };
    // The library cut after `size` bytes, in a file of its own.
    const auto cut = [&](size_t size) {
        const std::string path = temp + "/cut-" + std::to_string(size) + "-libpxmix.so";
        std::ofstream(path, std::ios::binary) << whole.substr(0, size);
        return Case{.path = path, .mentions = "切れています"};
    };
    // Cuts inside the loadable segments, which end at byte 0x7070 in the plain
    // build and later in the instrumented one; the last cut is one byte short of
    // that end in the plain build.
    const Case cases[] = {{.path = bin + "/no-such-dir/libpxmix.so", .mentions = "ファイルがありません"},
                          {.path = fifo, .mentions = "通常のファイルではありません"},
                          cut(40),
                          cut(1024),
                          cut(14000),
                          cut(28783),
                          // A library without the exports.
                          {.path = bin + "/libwinplat.so", .mentions = "symbol px_CheckMmx not found"},
                          // Not a library at all.
                          {.path = std::string(LANEBEAM_SOURCE_DIR) + "/blend/pxmix.h", .mentions = "pxmix.h"}};
    for (const auto& [path, mentions] : cases) {
        game::BlendLibrary library(path);
        try {
            library.addBlend(0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0);
            ADD_FAILURE() << path << ": no error";
        } catch (const platform::LibraryError& e) {
            const std::string told = game::loadFailureText(e.path, e.failure);
            EXPECT_NE(told.find(path), std::string::npos) << told;
            EXPECT_NE(told.find(mentions), std::string::npos) << told;
        }
        EXPECT_THROW(library.checkMmx(), platform::LibraryError) << "a failure stays a failure";
    }
}

}  // namespace
