// SPDX-License-Identifier: GPL-3.0-or-later
#include "loader/shared_library.h"

#include <dlfcn.h>

#include <utility>

#include "loader/elf_check.h"

namespace platform {

SharedLibrary::SharedLibrary(std::string path) : path_(std::move(path)) {}

SharedLibrary::~SharedLibrary() {
    if (handle_) dlclose(handle_);
}

void SharedLibrary::open() {
    if (handle_) return;
    if (failure_) throw LibraryError(path_, failure_);
    // A cut library would kill the process inside dlopen.
    if (const LoadProblem problem = elfProblem(path_, ElfKind::SharedObject); problem != LoadProblem::kNone) {
        failure_ = {problem, ""};
        throw LibraryError(path_, failure_);
    }
    dlerror();
    handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* why = dlerror();
        failure_ = {LoadProblem::kRefused, why ? why : "unknown error"};
        throw LibraryError(path_, failure_);
    }
}

void* SharedLibrary::symbol(const char* name) {
    open();
    void* address = dlsym(handle_, name);
    if (!address) throw LibraryError(path_, {LoadProblem::kNoSymbol, name});
    return address;
}

}  // namespace platform
