// SPDX-License-Identifier: GPL-3.0-or-later
// A look at a program or library file before the system loader gets it.
#pragma once

#include <string>

#include "loader/load_problem.h"

namespace platform {

enum class ElfKind { SharedObject, Program };

// Whether the file at `path` can be handed to the system loader without harm: a
// regular file (a FIFO would block it), ELF of this machine's class, byte order
// and architecture, of the kind asked for, whose program headers and loadable
// segments all lie inside the file. The loader maps segments straight from the
// file, and touching a page past the end of a cut file kills the process with
// SIGBUS. Returns kNone when it passes, else the reason.
LoadProblem elfProblem(const std::string& path, ElfKind kind);

}  // namespace platform
