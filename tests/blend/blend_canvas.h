// Picture-box stand-ins for the pxmix tests: a memory DC with its own bitmap,
// read and written as colours 0x00RRGGBB.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "pxmix.h"
#include "wingdi.h"

namespace blendtest {

constexpr uint32_t kColour = 0x00FFFFFFu;
constexpr int32_t kPacked = PX_FLAG_MMX;
constexpr int32_t kKeyed = PX_FLAG_KEY;

// A colour from its channels in memory order, as the examples give them.
constexpr uint32_t bgr(uint32_t b, uint32_t g, uint32_t r) { return (r << 16) | (g << 8) | b; }

class Canvas {
public:
    Canvas(int w, int h, uint32_t colour = 0) : w_(w), h_(h) {
        dc = CreateCompatibleDC(0);
        bitmap_ = CreateCompatibleBitmap(dc, w, h);
        stock_ = SelectObject(dc, bitmap_);
        pixels_ = lbBitmapPixels(bitmap_, nullptr, nullptr);
        fill(colour);
    }
    ~Canvas() {
        SelectObject(dc, stock_);
        DeleteObject(bitmap_);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int32_t hdc() const { return static_cast<int32_t>(dc); }
    int width() const { return w_; }
    int height() const { return h_; }
    uint32_t get(int x, int y) const { return pixels_[y * w_ + x] & kColour; }
    uint32_t raw(int x, int y) const { return pixels_[y * w_ + x]; }
    void set(int x, int y, uint32_t colour) { pixels_[y * w_ + x] = colour | 0xFF000000u; }
    void fill(uint32_t colour) {
        for (int i = 0; i < w_ * h_; ++i) pixels_[i] = colour | 0xFF000000u;
    }
    void randomise(std::mt19937& rng) {
        for (int i = 0; i < w_ * h_; ++i) pixels_[i] = rng() | 0xFF000000u;
    }
    std::vector<uint32_t> snapshot() const {
        std::vector<uint32_t> v(pixels_, pixels_ + w_ * h_);
        for (auto& p : v) p &= kColour;
        return v;
    }

    HDC dc = 0;

private:
    int w_, h_;
    HBITMAP bitmap_ = 0;
    HGDIOBJ stock_ = 0;
    uint32_t* pixels_ = nullptr;
};

enum class Op { Add, Sub, Half, Alpha, Copy };

inline const char* name(Op op) {
    switch (op) {
        case Op::Add: return "add";
        case Op::Sub: return "subtract";
        case Op::Half: return "50 %";
        case Op::Alpha: return "alpha";
        case Op::Copy: return "copy";
    }
    return "?";
}

// One export call; px_BitBlt ignores the second source.
inline int32_t call(Op op, const Canvas& dest, int xd, int yd, int w, int h, const Canvas& src1,
                    int x1, int y1, const Canvas& src2, int x2, int y2, int32_t flags, int32_t key) {
    switch (op) {
        case Op::Add: return px_AddBlend(dest.hdc(), xd, yd, w, h, src1.hdc(), x1, y1, src2.hdc(), x2, y2, flags, key);
        case Op::Sub: return px_SubBlend(dest.hdc(), xd, yd, w, h, src1.hdc(), x1, y1, src2.hdc(), x2, y2, flags, key);
        case Op::Half: return px_HalfBlend(dest.hdc(), xd, yd, w, h, src1.hdc(), x1, y1, src2.hdc(), x2, y2, flags, key);
        case Op::Alpha: return px_AlphaBlend(dest.hdc(), xd, yd, w, h, src1.hdc(), x1, y1, src2.hdc(), x2, y2, flags, key);
        case Op::Copy: return px_BitBlt(dest.hdc(), xd, yd, w, h, src1.hdc(), x1, y1, flags, key);
    }
    return -1;
}

// The whole of three canvases of one size, placed at the origin.
inline int32_t callWhole(Op op, const Canvas& dest, const Canvas& src1, const Canvas& src2,
                         int32_t flags, int32_t key = 0) {
    return call(op, dest, 0, 0, dest.width(), dest.height(), src1, 0, 0, src2, 0, 0, flags, key);
}

}  // namespace blendtest
