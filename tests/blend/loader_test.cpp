// The game's run-time binding of pxmix: it opens the library at the first
// call, and every way that can fail ends in a BlendLibraryError naming the file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "blend_canvas.h"
#include "loader/blend_library.h"
#include "loader/program_folder.h"

using blendtest::bgr;
using blendtest::Canvas;
using platform::BlendLibrary;
using platform::BlendLibraryError;

namespace {

const std::string kBin = LANEBEAM_BIN_DIR;

struct Failure {
    const char* name;
    std::string path;
    std::string mentions;  // besides the path
};

TEST(BlendLoader, FailuresNameTheFileAndRepeat) {
    const Failure cases[] = {
        {"missing file", kBin + "/no-such-dir/libpxmix.so", "cannot open"},
        {"library without the exports", kBin + "/libwinplat.so", "symbol px_CheckMmx not found"},
        {"not a library at all", std::string(LANEBEAM_SOURCE_DIR) + "/blend/pxmix.h", "pxmix.h"},
        {"a folder", kBin, "bin"},
    };
    for (const auto& f : cases) {
        SCOPED_TRACE(f.name);
        BlendLibrary library(f.path);  // opening waits for the first call
        EXPECT_EQ(library.path(), f.path);
        for (int attempt = 0; attempt < 2; ++attempt) {
            try {
                library.checkMmx();
                ADD_FAILURE() << "checkMmx did not throw";
            } catch (const BlendLibraryError& e) {
                const std::string what = e.what();
                EXPECT_NE(what.find(f.path), std::string::npos) << what;
                EXPECT_NE(what.find(f.mentions), std::string::npos) << what;
            }
            EXPECT_THROW(library.addBlend(0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0), BlendLibraryError);
        }
    }
}

TEST(BlendLoader, BindsTheLibraryBesideThePrograms) {
    BlendLibrary library(kBin + "/libpxmix.so");
    EXPECT_EQ(library.checkMmx(), px_CheckMmx());

    Canvas first(4, 3, bgr(200, 100, 50)), second(4, 3, bgr(100, 100, 100)), dest(6, 5, 0);
    EXPECT_EQ(library.addBlend(dest.dc, 1, 1, 4, 3, first.dc, 0, 0, second.dc, 0, 0, PX_FLAG_MMX, 0), 0);
    EXPECT_EQ(dest.get(1, 1), bgr(255, 200, 150));
    EXPECT_EQ(dest.get(4, 3), bgr(255, 200, 150));
    EXPECT_EQ(dest.get(0, 0), 0u);
    EXPECT_EQ(dest.get(5, 4), 0u);
}

TEST(BlendLoader, AddBlendAloneOpensTheLibrary) {
    BlendLibrary library(kBin + "/libpxmix.so");
    Canvas first(2, 2, bgr(1, 2, 3)), dest(2, 2);
    EXPECT_EQ(library.addBlend(dest.dc, 0, 0, 2, 2, first.dc, 0, 0, first.dc, 0, 0, 0, 0), 0);
    EXPECT_EQ(dest.get(1, 1), bgr(2, 4, 6));
}

// The tests run from build/tests, beside the program folder build/bin.
TEST(BlendLoader, ProgramFolderIsTheExecutablesFolder) {
    const std::string folder = platform::programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(std::filesystem::path(folder).is_absolute());
    EXPECT_NE(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::equivalent(folder, std::filesystem::path(kBin).parent_path() / "tests"));
}

}  // namespace
