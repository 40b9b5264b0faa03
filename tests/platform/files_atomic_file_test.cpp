// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file whole: the new bytes or the old file, never a link written
// through, never a read-only file replaced; and the clearing of killed writes'
// temporary files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "files/atomic_file.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::set<std::string> namesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

TEST(FilesAtomicFile, ReplacesTheFileWholeButNotALinksTargetNorAReadOnlyFile) {
    enum class Before { kNothing, kFile, kLinkOutside, kReadOnlyFile };
    struct Case {
        const char* name;
        Before before;
        bool written;
    };
    const Case cases[] = {
        {.name = "a new file", .before = Before::kNothing, .written = true},
        {.name = "an old file", .before = Before::kFile, .written = true},
        {.name = "a link to a file elsewhere", .before = Before::kLinkOutside, .written = true},
        {.name = "a read-only file", .before = Before::kReadOnlyFile, .written = false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fake::TempFolder folder, elsewhere;
        const std::string path = folder.file("vnbeam.ini");
        const std::string outside = elsewhere.file("theirs.ini");
        std::ofstream(outside, std::ios::binary) << "theirs";
        switch (c.before) {
        case Before::kNothing: break;
        case Before::kFile: std::ofstream(path, std::ios::binary) << "old"; break;
        case Before::kLinkOutside: fs::create_symlink(outside, path); break;
        case Before::kReadOnlyFile:
            std::ofstream(path, std::ios::binary) << "old";
            fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
            break;
        }
        EXPECT_EQ(platform::files::writeFileAtomically(path, "new"), c.written);
        EXPECT_EQ(contents(path), c.written ? "new" : "old");
        EXPECT_EQ(contents(outside), "theirs") << "a file outside the folder is never written";
        EXPECT_EQ(namesIn(folder.path), std::set<std::string>{"vnbeam.ini"}) << "no temporary file is left";
        if (c.written) {
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path))) << "the link itself is replaced";
        }
    }
}

// Only plain files of the writer's own pattern whose process is gone.
TEST(FilesAtomicFile, LeftoversOfDeadWritersGoAndNothingElse) {
    const fake::TempFolder folder;
    const std::string own = ".vnbeam.ini." + std::to_string(::getpid()) + ".0.tmp";
    struct Case {
        std::string name;
        bool folder = false;  // made as a folder, not a file
        bool removed;
    };
    const Case cases[] = {
        {.name = ".vnbeam.ini.99999999.0.tmp", .removed = true},  // no process has that id
        {.name = ".vnbeam.ini.99999999.17.tmp", .removed = true},
        {.name = ".vnbeam.ini.1.0.tmp", .removed = false},  // init runs
        // The clearing runs before any write of this process: a file under its
        // id is a dead writer's whose id came round again.
        {.name = own, .removed = true},
        {.name = ".vnbeam.ini.99999999.x.tmp", .removed = false},
        {.name = "vnbeam.ini.99999999.0.tmp", .removed = false},
        {.name = ".other.ini.99999999.0.tmp", .removed = false},
        {.name = ".vnbeam.ini.99999998.0.tmp", .folder = true, .removed = false},
        {.name = "vnbeam.ini", .removed = false},
    };
    for (const Case& c : cases) {
        if (c.folder) {
            fs::create_directory(folder.file(c.name));
        } else {
            std::ofstream(folder.file(c.name)) << "litter";
        }
    }
    platform::files::removeLeftoverTemporaries(folder.file("vnbeam.ini"));
    const std::set<std::string> left = namesIn(folder.path);
    for (const Case& c : cases) EXPECT_EQ(left.contains(c.name), !c.removed) << c.name;
}

}  // namespace
