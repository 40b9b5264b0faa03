// SPDX-License-Identifier: GPL-3.0-or-later
// The look at a program or library before the system loader gets it: what
// each broken file is told as, and a library cut one byte short of its last
// loadable segment (the loader would die of SIGBUS on it).
#include <gtest/gtest.h>

#include <elf.h>
#include <link.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "loader/elf_check.h"
#include "temp_folder.h"

namespace {

using platform::ElfKind;

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Where the last loadable segment of an ELF file of this machine ends.
size_t loadableEnd(const std::string& elf) {
    ElfW(Ehdr) header;
    std::memcpy(&header, elf.data(), sizeof header);
    size_t end = 0;
    for (int i = 0; i < header.e_phnum; ++i) {
        ElfW(Phdr) segment;
        std::memcpy(&segment, elf.data() + header.e_phoff + i * sizeof segment, sizeof segment);
        if (segment.p_type == PT_LOAD) end = std::max<size_t>(end, segment.p_offset + segment.p_filesz);
    }
    return end;
}

TEST(LoaderElfCheck, TellsEveryBrokenFileAndPassesWholeOnes) {
    const fake::TempFolder folder;
    ASSERT_FALSE(folder.path.empty());
    const std::string library = contents(std::string(LANEBEAM_BIN_DIR) + "/libwinplat.so");
    ASSERT_GT(library.size(), sizeof(ElfW(Ehdr)));
    const size_t end = loadableEnd(library);
    ASSERT_GT(end, 1000u);
    const auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(folder.file(name), std::ios::binary) << bytes;
        return folder.file(name);
    };
    std::string otherMachine = library;
    otherMachine[offsetof(ElfW(Ehdr), e_machine)] ^= 0x7F;
    std::string relocatable = library;
    relocatable[offsetof(ElfW(Ehdr), e_type)] = ET_REL;
    std::string otherClass = library;
    otherClass[EI_CLASS] = otherClass[EI_CLASS] == ELFCLASS64 ? ELFCLASS32 : ELFCLASS64;
    ASSERT_EQ(::mkfifo(folder.file("fifo").c_str(), 0600), 0);
    std::filesystem::create_directory(folder.file("folder"));

    using platform::LoadProblem;
    struct Case {
        const char* name;
        std::string path;
        ElfKind kind;
        LoadProblem problem;
    };
    const Case cases[] = {
        {.name = "the library",
         .path = write("whole.so", library),
         .kind = ElfKind::SharedObject,
         .problem = LoadProblem::kNone},
        {.name = "the library as a program",
         .path = write("whole.so", library),
         .kind = ElfKind::Program,
         .problem = LoadProblem::kNone},
        {.name = "this test program",
         .path = "/proc/self/exe",
         .kind = ElfKind::Program,
         .problem = LoadProblem::kNone},
        {.name = "an object file as a library",
         .path = write("object.o", relocatable),
         .kind = ElfKind::SharedObject,
         .problem = LoadProblem::kNotLibrary},
        {.name = "an object file as a program",
         .path = write("object.o", relocatable),
         .kind = ElfKind::Program,
         .problem = LoadProblem::kNotProgram},
        {.name = "cut at the end of its segments",
         .path = write("at-end.so", library.substr(0, end)),
         .kind = ElfKind::SharedObject,
         .problem = LoadProblem::kNone},
        {.name = "cut one byte short",
         .path = write("short.so", library.substr(0, end - 1)),
         .kind = ElfKind::SharedObject,
         .problem = LoadProblem::kCut},
        {.name = "cut in half",
         .path = write("half.so", library.substr(0, end / 2)),
         .kind = ElfKind::SharedObject,
         .problem = LoadProblem::kCut},
        {.name = "cut in its header",
         .path = write("header.so", library.substr(0, 40)),
         .kind = ElfKind::SharedObject,
         .problem = LoadProblem::kCut},
        {.name = "ten bytes",
         .path = write("ten.so", library.substr(0, 10)),
         .kind = ElfKind::SharedObject,
         .problem = LoadProblem::kNotElf},
        {.name = "text",
         .path = write("text.so", std::string(200, 'x')),
         .kind = ElfKind::SharedObject,
         .problem = LoadProblem::kNotElf},
        {.name = "another machine",
         .path = write("machine.so", otherMachine),
         .kind = ElfKind::SharedObject,
         .problem = LoadProblem::kOtherMachine},
        {.name = "another class",
         .path = write("class.so", otherClass),
         .kind = ElfKind::SharedObject,
         .problem = LoadProblem::kOtherMachine},
        {.name = "missing",
         .path = folder.file("missing.so"),
         .kind = ElfKind::SharedObject,
         .problem = LoadProblem::kMissing},
        {.name = "a FIFO",
         .path = folder.file("fifo"),
         .kind = ElfKind::SharedObject,
         .problem = LoadProblem::kNotRegular},
        {.name = "a folder",
         .path = folder.file("folder"),
         .kind = ElfKind::SharedObject,
         .problem = LoadProblem::kNotRegular},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::elfProblem(c.path, c.kind), c.problem);
    }
}

}  // namespace
