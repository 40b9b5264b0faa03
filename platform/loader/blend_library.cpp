#include "loader/blend_library.h"

#include <dlfcn.h>

#include <utility>

#include "../../blend/pxmix.h"
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

BlendLibrary::BlendLibrary(std::string path) : path_(std::move(path)) {}

BlendLibrary::~BlendLibrary() {
    if (handle_) dlclose(handle_);
}

void BlendLibrary::bind() {
    if (addBlend_ && checkMmx_) return;
    if (!failure_.empty()) throw BlendLibraryError(failure_);

    // A cut library would kill the process inside dlopen.
    if (const std::string problem = elfProblem(path_, ElfKind::SharedObject); !problem.empty()) {
        failure_ = path_ + ": " + problem;
        throw BlendLibraryError(failure_);
    }
    dlerror();
    void* handle = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        failure_ = describe(path_, dlerror());
        throw BlendLibraryError(failure_);
    }
    void* functions[2] = {};
    const char* names[2] = {"px_CheckMmx", "px_AddBlend"};
    for (int i = 0; i < 2; ++i) {
        functions[i] = dlsym(handle, names[i]);
        if (!functions[i]) {
            dlclose(handle);
            failure_ = path_ + ": symbol " + names[i] + " not found";
            throw BlendLibraryError(failure_);
        }
    }
    handle_ = handle;
    checkMmx_ = functions[0];
    addBlend_ = functions[1];
}

int32_t BlendLibrary::checkMmx() {
    bind();
    return reinterpret_cast<PxCheckMmxFunction>(checkMmx_)();
}

int32_t BlendLibrary::addBlend(uint32_t hdcDest, int32_t xDest, int32_t yDest, int32_t width,
                               int32_t height, uint32_t hdcSrc1, int32_t xSrc1, int32_t ySrc1,
                               uint32_t hdcSrc2, int32_t xSrc2, int32_t ySrc2, int32_t flags,
                               int32_t colorKey) {
    bind();
    // Handles cross the boundary as 32-bit integers; the bits are kept as they are.
    return reinterpret_cast<PxBlendFunction>(addBlend_)(
        static_cast<int32_t>(hdcDest), xDest, yDest, width, height, static_cast<int32_t>(hdcSrc1),
        xSrc1, ySrc1, static_cast<int32_t>(hdcSrc2), xSrc2, ySrc2, flags, colorKey);
}

}  // namespace platform
