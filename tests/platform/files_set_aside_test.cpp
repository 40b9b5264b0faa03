// SPDX-License-Identifier: GPL-3.0-or-later
// Setting a damaged file aside under the first free name, never replacing one.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/set_aside.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(FilesSetAside, TakesTheFirstFreeNameWhateverIsAtThePath) {
    enum class Thing { kNothing, kFile, kFolder, kLink };
    struct Case {
        const char* name;
        Thing at;                        // what is at vnbeam.ini
        std::vector<std::string> taken;  // names already there, as folders
        std::string keptAs;              // "": not set aside
    };
    const Case cases[] = {
        {.name = "a file", .at = Thing::kFile, .taken = {}, .keptAs = "vnbeam.ini.bad"},
        {.name = ".bad taken", .at = Thing::kFile, .taken = {"vnbeam.ini.bad"}, .keptAs = "vnbeam.ini.bad2"},
        {.name = ".bad and .bad2 taken",
         .at = Thing::kFile,
         .taken = {"vnbeam.ini.bad", "vnbeam.ini.bad2"},
         .keptAs = "vnbeam.ini.bad3"},
        {.name = "only .bad2 taken", .at = Thing::kFile, .taken = {"vnbeam.ini.bad2"}, .keptAs = "vnbeam.ini.bad"},
        {.name = "a folder", .at = Thing::kFolder, .taken = {}, .keptAs = "vnbeam.ini.bad"},
        {.name = "a link", .at = Thing::kLink, .taken = {}, .keptAs = "vnbeam.ini.bad"},
        {.name = "nothing", .at = Thing::kNothing, .taken = {}, .keptAs = ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fake::TempFolder folder;
        const std::string path = folder.file("vnbeam.ini");
        for (const std::string& name : c.taken) {
            fs::create_directory(folder.file(name));
            std::ofstream(folder.file(name + "/inside")) << "kept";
        }
        switch (c.at) {
        case Thing::kNothing: break;
        case Thing::kFile: std::ofstream(path) << "damaged"; break;
        case Thing::kFolder: fs::create_directory(path); break;
        case Thing::kLink: fs::create_symlink(folder.file("elsewhere"), path); break;
        }
        const std::string kept = platform::files::setAside(path, ".bad");
        EXPECT_EQ(kept, c.keptAs.empty() ? "" : folder.file(c.keptAs));
        EXPECT_FALSE(fs::exists(fs::symlink_status(path))) << "nothing left at the path";
        for (const std::string& name : c.taken)
            EXPECT_TRUE(fs::exists(folder.file(name + "/inside"))) << name << " is never replaced";
        if (c.at == Thing::kLink) {
            EXPECT_TRUE(fs::is_symlink(fs::symlink_status(kept))) << "the link itself moves";
        }
    }
}

}  // namespace
