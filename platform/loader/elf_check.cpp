// SPDX-License-Identifier: GPL-3.0-or-later
#include "loader/elf_check.h"

#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace platform {

namespace {

#if defined(__LP64__)
using Ehdr = Elf64_Ehdr;
using Phdr = Elf64_Phdr;
constexpr unsigned char kClass = ELFCLASS64;
#else
using Ehdr = Elf32_Ehdr;
using Phdr = Elf32_Phdr;
constexpr unsigned char kClass = ELFCLASS32;
#endif
constexpr unsigned char kByteOrder = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? ELFDATA2LSB : ELFDATA2MSB;

#if defined(__x86_64__)
constexpr int kMachine = EM_X86_64;
#elif defined(__i386__)
constexpr int kMachine = EM_386;
#elif defined(__aarch64__)
constexpr int kMachine = EM_AARCH64;
#elif defined(__arm__)
constexpr int kMachine = EM_ARM;
#elif defined(__riscv)
constexpr int kMachine = EM_RISCV;
#elif defined(__powerpc64__)
constexpr int kMachine = EM_PPC64;
#else
constexpr int kMachine = -1;  // an architecture not listed: not checked
#endif

using enum LoadProblem;

bool readAt(int fd, void* into, size_t size, uint64_t offset) {
    auto* p = static_cast<char*>(into);
    while (size > 0) {
        ssize_t n = ::pread(fd, p, size, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<size_t>(n);
        offset += static_cast<uint64_t>(n);
    }
    return true;
}

// [offset, offset + size) lies inside a file of `fileSize` bytes.
bool inside(uint64_t offset, uint64_t size, uint64_t fileSize) {
    return offset <= fileSize && size <= fileSize - offset;
}

LoadProblem check(int fd, uint64_t fileSize, ElfKind kind) {
    Ehdr header{};
    if (fileSize < sizeof header || !readAt(fd, &header, sizeof header, 0))
        return fileSize < EI_NIDENT ? kNotElf : kCut;
    if (header.e_ident[EI_MAG0] != ELFMAG0 || header.e_ident[EI_MAG1] != ELFMAG1 ||
        header.e_ident[EI_MAG2] != ELFMAG2 || header.e_ident[EI_MAG3] != ELFMAG3)
        return kNotElf;
    if (header.e_ident[EI_CLASS] != kClass || header.e_ident[EI_DATA] != kByteOrder ||
        (kMachine >= 0 && header.e_machine != kMachine))
        return kOtherMachine;
    if (kind == ElfKind::SharedObject ? header.e_type != ET_DYN : header.e_type != ET_DYN && header.e_type != ET_EXEC)
        return kind == ElfKind::SharedObject ? kNotLibrary : kNotProgram;
    if (header.e_phentsize != sizeof(Phdr) || header.e_phnum == 0) return kNotElf;
    if (!inside(header.e_phoff, uint64_t{header.e_phnum} * sizeof(Phdr), fileSize)) return kCut;
    std::vector<Phdr> segments(header.e_phnum);
    if (!readAt(fd, segments.data(), segments.size() * sizeof(Phdr), header.e_phoff)) return kCut;
    for (const Phdr& s : segments)
        if (s.p_type == PT_LOAD && !inside(s.p_offset, s.p_filesz, fileSize)) return kCut;
    return kNone;
}

}  // namespace

LoadProblem elfProblem(const std::string& path, ElfKind kind) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return errno == ENOENT || errno == ENOTDIR ? kMissing : kUnreadable;
    if (!S_ISREG(st.st_mode)) return kNotRegular;
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return kUnreadable;
    const LoadProblem problem = ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)
                                    ? kNotRegular
                                    : check(fd, static_cast<uint64_t>(st.st_size), kind);
    ::close(fd);
    return problem;
}

}  // namespace platform
