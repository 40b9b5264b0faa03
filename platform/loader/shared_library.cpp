#include "loader/shared_library.h"

#include <dlfcn.h>

#include <utility>

#include "loader/elf_check.h"

namespace platform {

namespace {

// dlerror() usually starts with the file name already; make sure it names it.
std::string describe(const std::string& path, const char* reason) {
    std::string why = reason ? reason : "unknown error";
    if (why.find(path) != std::string::npos) return why;
    return path + ": " + why;
}

}  // namespace

SharedLibrary::SharedLibrary(std::string path) : path_(std::move(path)) {}

SharedLibrary::~SharedLibrary() {
    if (handle_) dlclose(handle_);
}

void SharedLibrary::open() {
    if (handle_) return;
    if (!failure_.empty()) throw LibraryError(failure_);
    // A cut library would kill the process inside dlopen.
    if (const std::string problem = elfProblem(path_, ElfKind::SharedObject); !problem.empty()) {
        failure_ = path_ + ": " + problem;
        throw LibraryError(failure_);
    }
    dlerror();
    handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        failure_ = describe(path_, dlerror());
        throw LibraryError(failure_);
    }
}

void* SharedLibrary::symbol(const char* name) {
    open();
    void* address = dlsym(handle_, name);
    if (!address) throw LibraryError(path_ + ": symbol " + name + " not found");
    return address;
}

}  // namespace platform
