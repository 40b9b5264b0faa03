// The game's run-time binding of pxmix: the library is opened by file name at
// the first call of one of its exports, as the game always did, so a missing or
// broken library is reported when it is first needed instead of at start.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace platform {

// what() names the file and the reason, ready for a message box.
struct BlendLibraryError : std::runtime_error {
    using runtime_error::runtime_error;
};

// Binds px_CheckMmx and px_AddBlend. Not thread-safe: the game calls it from
// its one thread. Once opening or binding has failed, every later call throws
// the same error again without retrying.
class BlendLibrary {
public:
    explicit BlendLibrary(std::string path);
    ~BlendLibrary();
    BlendLibrary(const BlendLibrary&) = delete;
    BlendLibrary& operator=(const BlendLibrary&) = delete;

    int32_t checkMmx();
    int32_t addBlend(uint32_t hdcDest, int32_t xDest, int32_t yDest, int32_t width, int32_t height,
                     uint32_t hdcSrc1, int32_t xSrc1, int32_t ySrc1, uint32_t hdcSrc2, int32_t xSrc2,
                     int32_t ySrc2, int32_t flags, int32_t colorKey);
    const std::string& path() const { return path_; }

private:
    void bind();

    std::string path_;
    void* handle_ = nullptr;
    std::string failure_;
    // The bound exports, typed by pxmix.h in the implementation.
    void* checkMmx_ = nullptr;
    void* addBlend_ = nullptr;
};

}  // namespace platform
