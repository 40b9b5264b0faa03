// SPDX-License-Identifier: GPL-3.0-or-later
#define PXMIX_BUILDING 1
#include "blend_work.h"

#include <limits>

#include "blend_routines.h"
#include "pxmix.h"

namespace pxmix {

namespace {

size_t count(int32_t width, int32_t height) { return static_cast<size_t>(width) * static_cast<size_t>(height); }

}  // namespace

BlendWork::BlendWork(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return;
    constexpr size_t kBytesPerPixel = 3 * sizeof(uint32_t);  // two captures and the result
    const uint64_t pixels = uint64_t(width) * uint64_t(height);
    // Checked before multiplying: a block size that wrapped would come out small.
    if (pixels > std::numeric_limits<size_t>::max() / kBytesPerPixel) return;
    block_ = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, static_cast<size_t>(pixels) * kBytesPerPixel);
    if (!block_) return;
    source1_ = static_cast<uint32_t*>(block_);
    source2_ = source1_ + pixels;
    result_ = source2_ + pixels;

    BITMAPINFOHEADER& h = header_.bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width;
    h.biHeight = height;  // positive: rows bottom-up
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biCompression = BI_RGB;
}

BlendWork::~BlendWork() {
    if (block_) GlobalFree(block_);
}

size_t BlendWork::pixelCount() const { return count(header_.bmiHeader.biWidth, header_.bmiHeader.biHeight); }

// Copies the rectangle into a bitmap of its own and reads that back as a DIB:
// the part of the rectangle outside the source DC stays black.
void BlendWork::captureRect(HDC hdc, int32_t x, int32_t y, uint32_t* buffer) {
    const int32_t width = header_.bmiHeader.biWidth;
    const int32_t height = header_.bmiHeader.biHeight;
    HDC memDC = CreateCompatibleDC(hdc);
    HBITMAP bitmap = CreateCompatibleBitmap(hdc, width, height);
    HGDIOBJ kept = SelectObject(memDC, bitmap);
    BitBlt(memDC, 0, 0, width, height, hdc, x, y, SRCCOPY);
    SelectObject(memDC, kept);
    GetDIBits(memDC, bitmap, 0, static_cast<UINT>(height), buffer, &header_, DIB_RGB_COLORS);
    DeleteDC(memDC);
    DeleteObject(bitmap);
}

void BlendWork::run(int32_t flags, uint32_t key) {
    const int32_t width = header_.bmiHeader.biWidth;
    const int32_t height = header_.bmiHeader.biHeight;
    const bool packed = (flags & PX_FLAG_MMX) != 0;
    const bool keyed = (flags & PX_FLAG_KEY) != 0;
    if (packed && keyed)
        runPackedKeyed(width, height, key);
    else if (packed)
        runPacked(width, height);
    else if (keyed)
        runPlainKeyed(width, height, key);
    else
        runPlain(width, height);
}

void BlendWork::writeResult(HDC hdc, int32_t x, int32_t y) {
    const int32_t width = header_.bmiHeader.biWidth;
    const int32_t height = header_.bmiHeader.biHeight;
    SetDIBitsToDevice(hdc, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), result_, &header_, DIB_RGB_COLORS);
}

void HalfBlendWork::runPackedKeyed(int32_t w, int32_t h, uint32_t key) {
    packed::halfKeyed(source1_, source2_, result_, count(w, h), key);
}
void HalfBlendWork::runPacked(int32_t w, int32_t h) { packed::half(source1_, source2_, result_, count(w, h)); }
void HalfBlendWork::runPlainKeyed(int32_t w, int32_t h, uint32_t key) {
    plain::halfKeyed(source1_, source2_, result_, count(w, h), key);
}
void HalfBlendWork::runPlain(int32_t w, int32_t h) { plain::half(source1_, source2_, result_, count(w, h)); }

void AddBlendWork::runPackedKeyed(int32_t w, int32_t h, uint32_t key) {
    packed::addKeyed(source1_, source2_, result_, count(w, h), key);
}
void AddBlendWork::runPacked(int32_t w, int32_t h) { packed::add(source1_, source2_, result_, count(w, h)); }
void AddBlendWork::runPlainKeyed(int32_t w, int32_t h, uint32_t key) {
    plain::addKeyed(source1_, source2_, result_, count(w, h), key);
}
void AddBlendWork::runPlain(int32_t w, int32_t h) { plain::add(source1_, source2_, result_, count(w, h)); }

void SubBlendWork::runPackedKeyed(int32_t w, int32_t h, uint32_t key) {
    packed::subKeyed(source1_, source2_, result_, count(w, h), key);
}
void SubBlendWork::runPacked(int32_t w, int32_t h) { packed::sub(source1_, source2_, result_, count(w, h)); }
void SubBlendWork::runPlainKeyed(int32_t w, int32_t h, uint32_t key) {
    plain::subKeyed(source1_, source2_, result_, count(w, h), key);
}
void SubBlendWork::runPlain(int32_t w, int32_t h) { plain::sub(source1_, source2_, result_, count(w, h)); }

void AlphaBlendWork::runPackedKeyed(int32_t w, int32_t h, uint32_t key) { runPlainKeyed(w, h, key); }
void AlphaBlendWork::runPacked(int32_t w, int32_t h) { runPlain(w, h); }
void AlphaBlendWork::runPlainKeyed(int32_t w, int32_t h, uint32_t key) {
    plain::alphaKeyed(AlphaTable(alpha_), source1_, source2_, result_, count(w, h), key);
}
void AlphaBlendWork::runPlain(int32_t w, int32_t h) {
    plain::alpha(AlphaTable(alpha_), source1_, source2_, result_, count(w, h));
}

void CopyWork::runPackedKeyed(int32_t w, int32_t h, uint32_t key) { runPlainKeyed(w, h, key); }
void CopyWork::runPacked(int32_t w, int32_t h) { packed::copy(source1_, result_, count(w, h)); }
void CopyWork::runPlainKeyed(int32_t w, int32_t h, uint32_t key) {
    plain::copyKeyed(source1_, result_, count(w, h), key);
}
void CopyWork::runPlain(int32_t w, int32_t h) { plain::copy(source1_, result_, count(w, h)); }

}  // namespace pxmix
