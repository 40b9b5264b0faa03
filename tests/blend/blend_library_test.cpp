// The game's run-time binding of pxmix: it opens the library by its path at
// the first call of either export (the game's own pictures show it working),
// and every way that fails ends in a LibraryError naming the file, again at
// every later call; a cut library or a FIFO is refused before the system
// loader sees it.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "render/blend_library.h"
#include "shell/load_messages.h"

namespace {

// A folder of the test's own, removed whole at the end: the cases it makes
// live only there.
struct OwnFolder {
    OwnFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "lanebeam-blend-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path = pattern;
    }
    ~OwnFolder() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

TEST(BlendLoader, FailuresNameTheFileAndRepeat) {
    const OwnFolder own;
    ASSERT_FALSE(own.path.empty());
    const std::string bin = LANEBEAM_BIN_DIR;
    const std::string temp = own.path;
    const std::string fifo = temp + "/fifo-libpxmix.so";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::ifstream in(bin + "/libpxmix.so", std::ios::binary);
    const std::string whole(std::istreambuf_iterator<char>(in), {});
    // The library cut after `size` bytes, in a file of its own.
    const auto cut = [&](size_t size) {
        const std::string path = temp + "/cut-" + std::to_string(size) + "-libpxmix.so";
        std::ofstream(path, std::ios::binary) << whole.substr(0, size);
        return std::pair{path, std::string("切れています")};
    };
    // Cuts inside the loadable segments, which end at byte 0x7070 in the plain
    // build and later in the instrumented one; the last cut is one byte short of
    // that end in the plain build.
    const std::pair<std::string, std::string> cases[] = {
        {bin + "/no-such-dir/libpxmix.so", "ファイルがありません"},
        {fifo, "通常のファイルではありません"},
        cut(40),
        cut(1024),
        cut(14000),
        cut(28783),
        {bin + "/libwinplat.so", "symbol px_CheckMmx not found"},           // a library without the exports
        {std::string(LANEBEAM_SOURCE_DIR) + "/blend/pxmix.h", "pxmix.h"}};  // not a library at all
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
