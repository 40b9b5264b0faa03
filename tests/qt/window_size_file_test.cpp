// SPDX-License-Identifier: GPL-3.0-or-later
// The window's size, kept in a file of its own beside the settings, is read
// back only exactly as it was written, and written the way the settings file
// is: whole, never through a link.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

#include "qt/window_size_file.h"

namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(QtWindowSizeFile, ReadsOnlyWhatItWrites) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("vnbeam-window.txt").toStdString();
    EXPECT_FALSE(qtfront::readWindowSize(path)) << "missing";
    const qtfront::WindowSize written{{1100, 1250}, true, false};
    ASSERT_TRUE(qtfront::writeWindowSize(path, written));
    EXPECT_EQ(qtfront::readWindowSize(path), written);
    const char* damaged[] = {"",
                             "size 1100 1250\nmaximized 0\n",
                             "size 1100 1250\r\nmaximized 0\r\nfullscreen 0\r\n",
                             "size 1100 1250\nmaximized 0\nfullscreen 0\nsize 1 1\n",
                             "size 0 1250\nmaximized 0\nfullscreen 0\n",
                             "size 99999 1250\nmaximized 0\nfullscreen 0\n",
                             "size 1100 1250\nmaximized 2\nfullscreen 0\n",
                             "size  1100 1250\nmaximized 0\nfullscreen 0\n",
                             "size 1100 1250\nmaximized 0\nfullscreen 0"};
    for (const char* text : damaged) {
        std::ofstream(path, std::ios::binary) << text;
        EXPECT_FALSE(qtfront::readWindowSize(path)) << text;
    }
}

// What may stand in the file's place: read as nothing without blocking, and
// the save replaces a link with a file of its own, the link's target untouched.
TEST(QtWindowSizeFile, AFifoOrALinkInItsPlaceIsNeitherWaitedForNorWrittenThrough) {
    enum Kind { Fifo, LinkToFile, LinkToDevice, Folder };
    const struct {
        const char* what;
        Kind kind;
        bool saved;
    } cases[] = {
        {.what = "fifo", .kind = Fifo, .saved = true},
        {.what = "link to a file", .kind = LinkToFile, .saved = true},
        {.what = "link to /dev/null", .kind = LinkToDevice, .saved = true},
        {.what = "folder", .kind = Folder, .saved = false},
    };
    const qtfront::WindowSize size{{700, 740}, false, true};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const fs::path folder = dir.path().toStdString();
        const fs::path path = folder / "vnbeam-window.txt";
        const fs::path target = folder / "elsewhere.txt";
        std::ofstream(target, std::ios::binary) << "size 1100 1250\nmaximized 0\nfullscreen 0\n";
        switch (c.kind) {
        case Fifo: ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); break;
        case LinkToFile: fs::create_symlink(target, path); break;
        case LinkToDevice: fs::create_symlink("/dev/null", path); break;
        case Folder: fs::create_directory(path); break;
        }
        if (c.kind != LinkToFile) {
            EXPECT_FALSE(qtfront::readWindowSize(path.string()));
        }
        EXPECT_EQ(qtfront::writeWindowSize(path.string(), size), c.saved);
        EXPECT_EQ(contents(target), "size 1100 1250\nmaximized 0\nfullscreen 0\n") << "the link's target";
        EXPECT_TRUE(fs::is_character_file("/dev/null"));
        if (!c.saved) continue;
        EXPECT_EQ(fs::symlink_status(path).type(), fs::file_type::regular);
        EXPECT_EQ(qtfront::readWindowSize(path.string()), size);
    }
}

}  // namespace
