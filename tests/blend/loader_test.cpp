// The game's run-time binding of pxmix: it opens the library by its path at
// the first call of either export, and every way that fails ends in a
// BlendLibraryError naming the file, again at every later call.
#include <gtest/gtest.h>

#include <string>

#include "blend_canvas.h"
#include "loader/blend_library.h"

using blendtest::bgr;
using platform::BlendLibrary;
using platform::BlendLibraryError;

namespace {

const std::string kBin = LANEBEAM_BIN_DIR;

TEST(BlendLoader, FailuresNameTheFileAndRepeat) {
    const std::pair<std::string, std::string> cases[] = {
        {kBin + "/no-such-dir/libpxmix.so", "cannot open"},
        {kBin + "/libwinplat.so", "symbol px_CheckMmx not found"},         // a library without the exports
        {std::string(LANEBEAM_SOURCE_DIR) + "/blend/pxmix.h", "pxmix.h"},  // not a library at all
    };
    for (const auto& [path, mentions] : cases) {
        BlendLibrary library(path);
        try {
            library.addBlend(0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0);
            ADD_FAILURE() << path << ": no error";
        } catch (const BlendLibraryError& e) {
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(mentions), std::string::npos) << e.what();
        }
        EXPECT_THROW(library.checkMmx(), BlendLibraryError) << "a failure stays a failure";
    }
}

TEST(BlendLoader, AddBlendAloneOpensTheLibrary) {
    BlendLibrary library(kBin + "/libpxmix.so");
    blendtest::Canvas first(2, 1, bgr(200, 100, 50)), second(2, 1, bgr(100, 100, 100)), dest(3, 2);
    EXPECT_EQ(library.addBlend(dest.dc, 1, 1, 2, 1, first.dc, 0, 0, second.dc, 0, 0, PX_FLAG_MMX, 0), 0);
    EXPECT_EQ(dest.get(2, 1), bgr(255, 200, 150));
    EXPECT_EQ(dest.get(0, 0), 0u);
    EXPECT_EQ(library.checkMmx(), px_CheckMmx());
}

}  // namespace
