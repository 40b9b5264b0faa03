// The window's size, kept in a file of its own beside the settings, is read
// back only exactly as it was written.
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

#include "qt/window_size_file.h"

namespace {

TEST(QtWindowSizeFile, ReadsOnlyWhatItWrites) {
    QTemporaryDir dir;
    const QString path = dir.filePath("vnbeam-window.txt");
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
        std::ofstream(path.toStdString(), std::ios::binary) << text;
        EXPECT_FALSE(qtfront::readWindowSize(path)) << text;
    }
}

}  // namespace
