// SPDX-License-Identifier: GPL-3.0-or-later
// The work set of one pxmix call: three pixel buffers in one zero-filled block,
// the bitmap header that reads the sources and writes the result, and the four
// routine slots each operation fills. One object per call, gone before return.
#ifndef LANEBEAM_BLEND_WORK_H
#define LANEBEAM_BLEND_WORK_H

#include <cstdint>

#include "wingdi.h"

namespace pxmix {

class BlendWork {
public:
    BlendWork(int32_t width, int32_t height);
    virtual ~BlendWork();
    BlendWork(const BlendWork&) = delete;
    BlendWork& operator=(const BlendWork&) = delete;

    virtual void runPackedKeyed(int32_t width, int32_t height, uint32_t key) = 0;
    virtual void runPacked(int32_t width, int32_t height) = 0;
    virtual void runPlainKeyed(int32_t width, int32_t height, uint32_t key) = 0;
    virtual void runPlain(int32_t width, int32_t height) = 0;

    // False when the size was not positive or the block could not be had.
    bool ready() const { return block_ != nullptr; }
    void setAlpha(int32_t alpha) { alpha_ = alpha; }
    void captureFirst(HDC hdc, int32_t x, int32_t y) { captureRect(hdc, x, y, source1_); }
    void captureSecond(HDC hdc, int32_t x, int32_t y) { captureRect(hdc, x, y, source2_); }
    // Picks the slot the packed and key bits of the flags ask for.
    void run(int32_t flags, uint32_t key);
    void writeResult(HDC hdc, int32_t x, int32_t y);

protected:
    size_t pixelCount() const;

    int32_t alpha_ = 0;
    uint32_t* source1_ = nullptr;
    uint32_t* source2_ = nullptr;
    uint32_t* result_ = nullptr;
    HGLOBAL block_ = nullptr;
    BITMAPINFO header_{};

private:
    void captureRect(HDC hdc, int32_t x, int32_t y, uint32_t* buffer);
};

class HalfBlendWork final : public BlendWork {
public:
    using BlendWork::BlendWork;
    void runPackedKeyed(int32_t width, int32_t height, uint32_t key) override;
    void runPacked(int32_t width, int32_t height) override;
    void runPlainKeyed(int32_t width, int32_t height, uint32_t key) override;
    void runPlain(int32_t width, int32_t height) override;
};

class AddBlendWork final : public BlendWork {
public:
    using BlendWork::BlendWork;
    void runPackedKeyed(int32_t width, int32_t height, uint32_t key) override;
    void runPacked(int32_t width, int32_t height) override;
    void runPlainKeyed(int32_t width, int32_t height, uint32_t key) override;
    void runPlain(int32_t width, int32_t height) override;
};

class SubBlendWork final : public BlendWork {
public:
    using BlendWork::BlendWork;
    void runPackedKeyed(int32_t width, int32_t height, uint32_t key) override;
    void runPacked(int32_t width, int32_t height) override;
    void runPlainKeyed(int32_t width, int32_t height, uint32_t key) override;
    void runPlain(int32_t width, int32_t height) override;
};

// Alpha has no packed routine: its packed slots run the plain ones.
class AlphaBlendWork final : public BlendWork {
public:
    using BlendWork::BlendWork;
    void runPackedKeyed(int32_t width, int32_t height, uint32_t key) override;
    void runPacked(int32_t width, int32_t height) override;
    void runPlainKeyed(int32_t width, int32_t height, uint32_t key) override;
    void runPlain(int32_t width, int32_t height) override;
};

// The keyed copy is plain in both keyed slots.
class CopyWork final : public BlendWork {
public:
    using BlendWork::BlendWork;
    void runPackedKeyed(int32_t width, int32_t height, uint32_t key) override;
    void runPacked(int32_t width, int32_t height) override;
    void runPlainKeyed(int32_t width, int32_t height, uint32_t key) override;
    void runPlain(int32_t width, int32_t height) override;
};

}  // namespace pxmix

#endif
