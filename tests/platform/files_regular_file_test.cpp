// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a file that must be a regular file: what each kind of thing at the
// path gives, and the size limit.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "files/regular_file.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
using platform::files::ReadStatus;

TEST(FilesRegularFile, ReadsOnlyRegularFilesAndNeverBlocksOnAFifo) {
    const fake::TempFolder folder;
    ASSERT_FALSE(folder.path.empty());
    std::ofstream(folder.file("six"), std::ios::binary) << "abcdef";
    fs::create_symlink(folder.file("six"), folder.file("link"));
    fs::create_symlink(folder.file("gone"), folder.file("dangling"));
    fs::create_directory(folder.file("folder"));
    ASSERT_EQ(::mkfifo(folder.file("fifo").c_str(), 0600), 0);
    struct Case {
        const char* name;
        size_t limit;
        ReadStatus status;
        std::string bytes;
        bool regular;  // what isRegularFile says
    };
    const Case cases[] = {
        {.name = "six", .limit = 6, .status = ReadStatus::Ok, .bytes = "abcdef", .regular = true},
        {.name = "six", .limit = 5, .status = ReadStatus::TooBig, .bytes = "abcde", .regular = true},
        {.name = "link", .limit = 100, .status = ReadStatus::Ok, .bytes = "abcdef", .regular = true},
        {.name = "missing", .limit = 100, .status = ReadStatus::Missing, .bytes = "", .regular = false},
        {.name = "dangling", .limit = 100, .status = ReadStatus::Missing, .bytes = "", .regular = false},
        {.name = "folder", .limit = 100, .status = ReadStatus::NotRegular, .bytes = "", .regular = false},
        {.name = "fifo", .limit = 100, .status = ReadStatus::NotRegular, .bytes = "", .regular = false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << ", limit " << c.limit);
        const platform::files::FileBytes read = platform::files::readRegularFile(folder.file(c.name), c.limit);
        EXPECT_EQ(read.status, c.status);
        EXPECT_EQ(read.bytes, c.bytes);
        EXPECT_EQ(platform::files::isRegularFile(folder.file(c.name)), c.regular);
    }
}

}  // namespace
