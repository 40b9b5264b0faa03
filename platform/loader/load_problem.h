// SPDX-License-Identifier: GPL-3.0-or-later
// Why a program or library file could not be handed to the system, as a reason
// the caller words for the player; the platform layer says nothing itself.
#pragma once

#include <string>

namespace platform {

enum class LoadProblem {
    kNone,
    kMissing,
    kNotRegular,  // a folder, a FIFO, a device
    kUnreadable,
    kNotElf,        // not a program or library file at all
    kOtherMachine,  // ELF of another class, byte order or architecture
    kNotLibrary,
    kNotProgram,
    kCut,         // a header or loadable segment lies past the end of the file
    kRefused,     // the system loader refused it; `detail` holds its words
    kNoSymbol,    // `detail` holds the symbol's name
    kExecFailed,  // `detail` holds the system's words for errno
};

struct LoadFailure {
    LoadProblem problem = LoadProblem::kNone;
    std::string detail;

    explicit operator bool() const { return problem != LoadProblem::kNone; }
};

}  // namespace platform
