// SPDX-License-Identifier: GPL-3.0-or-later
// Device contexts and bitmaps over plain 32-bit pixel memory.
//
// Every object lives in one process-wide table behind a mutex, so the game, the
// forms layer and pxmix all see the same handles. A handle is the slot index in
// the low 16 bits and the slot's generation in the high 16 bits: a deleted
// handle is refused, and its number only comes back after the slot has cycled
// through all its generations.
//
// pxmix makes and deletes a DC and a bitmap for every rectangle it captures, a
// hundred and more times a frame, so making them is cheap: bitmaps live in the
// table itself, their pixel memory comes back from a small store of spare
// buffers, and a new bitmap is only painted black when something could see it
// before it is overwritten whole.
#define WINGDI_BUILDING 1
#include "wingdi.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <mutex>
#include <new>
#include <utility>
#include <vector>

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;  // the X byte as the device keeps it
constexpr uint32_t kColourBits = 0x00FFFFFFu;
constexpr int kMaxSide = 32767;
constexpr int64_t kMaxPixels = int64_t{1} << 26;  // 256 MiB of pixels per bitmap
constexpr size_t kMaxSlots = 0x10000;
// Freed slots wait in line until this many are free, so a freed number is not
// handed out again for a long while even when objects come and go every frame.
constexpr size_t kMinFreeBeforeReuse = 1024;
// The spare pixel buffers kept for new bitmaps: enough for the captures of a
// blend call, none larger than a sprite sheet.
constexpr size_t kSpareBuffers = 8;
constexpr size_t kMaxSparePixels = size_t{1} << 16;

// The pixel loops, built once more for AVX2 where the compiler can pick the
// build at load time: a frame moves its picture through them several times.
#if defined(__x86_64__) && defined(__has_attribute)
#if __has_attribute(target_clones) && !defined(__clang__)
#define WINGDI_PIXEL_LOOP __attribute__((target_clones("avx2", "default")))
#endif
#endif
#ifndef WINGDI_PIXEL_LOOP
#define WINGDI_PIXEL_LOOP
#endif

// The loops take whole rectangles of `rows` rows of n pixels, each row `stride`
// pixels after the one before (negative: upward), so a small sprite costs one
// call and rows that lie back to back run as one.
struct Rows {
    size_t n, rows;
    std::ptrdiff_t toStride, fromStride;
};

// Into the device: the X byte made opaque.
WINGDI_PIXEL_LOOP void copyOpaque(uint32_t* to, const uint32_t* from, Rows r) {
    for (size_t k = 0; k < r.rows; ++k, to += r.toStride, from += r.fromStride)
        for (size_t i = 0; i < r.n; ++i) to[i] = from[i] | kOpaque;
}

// SRCERASE: source AND NOT destination.
WINGDI_PIXEL_LOOP void eraseOpaque(uint32_t* to, const uint32_t* from, Rows r) {
    for (size_t k = 0; k < r.rows; ++k, to += r.toStride, from += r.fromStride)
        for (size_t i = 0; i < r.n; ++i) to[i] = (from[i] & ~to[i] & kColourBits) | kOpaque;
}

// Out of the device: the X byte read as 0.
WINGDI_PIXEL_LOOP void copyColours(uint32_t* to, const uint32_t* from, Rows r) {
    for (size_t k = 0; k < r.rows; ++k, to += r.toStride, from += r.fromStride)
        for (size_t i = 0; i < r.n; ++i) to[i] = from[i] & kColourBits;
}

WINGDI_PIXEL_LOOP void fillBlack(uint32_t* to, size_t n) {
    for (size_t i = 0; i < n; ++i) to[i] = kOpaque;
}

// Rows that follow each other without a gap, read and written the same way up,
// are one long row.
Rows rectangle(size_t n, size_t count, std::ptrdiff_t toStride, std::ptrdiff_t fromStride) {
    const auto width = static_cast<std::ptrdiff_t>(n);
    if (toStride == width && fromStride == width) return {n * count, 1, 0, 0};
    return {n, count, toStride, fromStride};
}

enum class Kind : uint8_t { Free, Dc, Bitmap };

struct Bitmap {
    int width = 0;
    int height = 0;
    uint32_t* pixels = nullptr;  // width x height, from the buffer store
    size_t capacity = 0;         // pixels the buffer can hold
    // Still to be painted black: nothing has seen or written the pixels yet.
    bool blackPending = false;
    uint32_t writes = 0;  // BitBlt and SetDIBitsToDevice calls that drew on it
    HDC selectedIn = 0;
    HDC stockOf = 0;  // non-zero for the 1 x 1 bitmap a DC is born with

    size_t count() const { return static_cast<size_t>(width) * static_cast<size_t>(height); }
    // The pixels as the device shows them, about to be read or partly written.
    uint32_t* shown() {
        if (blackPending) {
            fillBlack(pixels, count());
            blackPending = false;
        }
        return pixels;
    }
};

struct Dc {
    HBITMAP selected = 0;
    HBITMAP stock = 0;
};

struct Slot {
    uint16_t generation = 1;
    Kind kind = Kind::Free;
    Bitmap bitmap;
    Dc dc;
};

// Pixel buffers of deleted bitmaps, kept for the next bitmap of about their
// size, so the DC and bitmap of every capture cost no trip to the allocator.
class BufferStore {
public:
    BufferStore() { spare_.reserve(kSpareBuffers); }
    ~BufferStore() {
        for (const Buffer& b : spare_) delete[] b.pixels;
    }

    // nullptr when memory is short.
    uint32_t* take(size_t pixels, size_t& capacity) {
        for (size_t i = spare_.size(); i-- > 0;) {
            // A buffer much larger than asked for is kept for a larger bitmap.
            if (spare_[i].capacity >= pixels && spare_[i].capacity / 2 <= pixels) {
                const Buffer b = spare_[i];
                spare_.erase(spare_.begin() + static_cast<std::ptrdiff_t>(i));
                capacity = b.capacity;
                return b.pixels;
            }
        }
        capacity = pixels;
        return new (std::nothrow) uint32_t[pixels];
    }

    void give(uint32_t* pixels, size_t capacity) {
        if (!pixels) return;
        if (capacity > kMaxSparePixels) {
            delete[] pixels;
            return;
        }
        if (spare_.size() == kSpareBuffers) {
            delete[] spare_.front().pixels;
            spare_.erase(spare_.begin());
        }
        spare_.push_back({pixels, capacity});
    }

private:
    struct Buffer {
        uint32_t* pixels;
        size_t capacity;
    };
    std::vector<Buffer> spare_;  // oldest first; reserved, so giving never allocates
};

class HandleTable {
public:
    std::mutex mutex;

    HandleTable() { slots_.reserve(256); }
    ~HandleTable() {
        for (Slot& s : slots_) delete[] s.bitmap.pixels;
    }

    Bitmap* bitmap(uint32_t handle) {
        Slot* s = find(handle, Kind::Bitmap);
        return s ? &s->bitmap : nullptr;
    }

    Dc* dc(uint32_t handle) {
        Slot* s = find(handle, Kind::Dc);
        return s ? &s->dc : nullptr;
    }

    uint32_t add(Kind kind) {
        size_t index;
        if (!free_.empty() && (free_.size() >= kMinFreeBeforeReuse || slots_.size() >= kMaxSlots)) {
            index = free_.front();
            free_.pop_front();
        } else if (slots_.size() < kMaxSlots) {
            slots_.emplace_back();
            index = slots_.size() - 1;
        } else {
            return 0;
        }
        slots_[index].kind = kind;
        return (uint32_t{slots_[index].generation} << 16) | static_cast<uint32_t>(index);
    }

    void release(uint32_t handle) {
        size_t index = handle & 0xFFFF;
        Slot& s = slots_[index];
        buffers.give(s.bitmap.pixels, s.bitmap.capacity);
        s.kind = Kind::Free;
        s.bitmap = Bitmap{};
        s.dc = Dc{};
        s.generation = static_cast<uint16_t>(s.generation + 1);
        if (s.generation == 0) s.generation = 1;  // keeps every handle non-zero
        free_.push_back(index);
    }

    Slot& slot(uint32_t handle) { return slots_[handle & 0xFFFF]; }

    BufferStore buffers;

private:
    Slot* find(uint32_t handle, Kind kind) {
        size_t index = handle & 0xFFFF;
        if (index >= slots_.size()) return nullptr;
        Slot& s = slots_[index];
        if (s.kind != kind || s.generation != (handle >> 16)) return nullptr;
        return &s;
    }

    std::vector<Slot> slots_;
    std::deque<size_t> free_;
};

HandleTable& table() {
    static HandleTable instance;
    return instance;
}

// Creates a black bitmap; 0 when the size is out of range or memory is short.
HBITMAP newBitmap(HandleTable& t, int w, int h, HDC stockOf) {
    if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) return 0;
    if (int64_t{w} * h > kMaxPixels) return 0;
    Bitmap bmp;
    bmp.width = w;
    bmp.height = h;
    bmp.pixels = t.buffers.take(bmp.count(), bmp.capacity);
    if (!bmp.pixels) return 0;
    bmp.blackPending = true;
    bmp.stockOf = stockOf;
    bmp.selectedIn = stockOf;
    HBITMAP handle = t.add(Kind::Bitmap);
    if (handle)
        t.slot(handle).bitmap = bmp;
    else
        t.buffers.give(bmp.pixels, bmp.capacity);
    return handle;
}

Bitmap* selectedBitmap(HandleTable& t, HDC hdc) {
    Dc* d = t.dc(hdc);
    return d ? t.bitmap(d->selected) : nullptr;
}

// The half-open range [lo, hi) of offsets i in [0, n) for which both a + i and
// b + i fall inside [0, limitA) and [0, limitB).
struct Span {
    int64_t lo, hi;
    bool empty() const { return lo >= hi; }
};

Span clipSpan(int64_t n, int64_t a, int64_t limitA, int64_t b, int64_t limitB) {
    return {std::max({int64_t{0}, -a, -b}), std::min({n, limitA - a, limitB - b})};
}

// Checks a header for the one format we convert: 32-bit BI_RGB with a sane size.
bool acceptedDib(const BITMAPINFO* info, UINT usage) {
    if (!info || usage != DIB_RGB_COLORS) return false;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biBitCount != 32 || h.biCompression != BI_RGB) return false;
    int64_t rows = h.biHeight < 0 ? -int64_t{h.biHeight} : int64_t{h.biHeight};
    return h.biWidth > 0 && rows > 0 && int64_t{h.biWidth} * rows <= kMaxPixels;
}

}  // namespace

extern "C" {

HDC CreateCompatibleDC(HDC hdc) {
    HandleTable& t = table();
    std::lock_guard lock(t.mutex);
    if (hdc != 0 && !t.dc(hdc)) return 0;
    HDC dc = t.add(Kind::Dc);
    if (!dc) return 0;
    HBITMAP stock = newBitmap(t, 1, 1, dc);
    if (!stock) {
        t.release(dc);
        return 0;
    }
    t.slot(dc).dc = Dc{stock, stock};
    return dc;
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int w, int h) {
    HandleTable& t = table();
    std::lock_guard lock(t.mutex);
    if (hdc != 0 && !t.dc(hdc)) return 0;
    return newBitmap(t, w, h, 0);
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj) {
    HandleTable& t = table();
    std::lock_guard lock(t.mutex);
    Dc* d = t.dc(hdc);
    Bitmap* b = t.bitmap(obj);
    if (!d || !b) return 0;
    if (b->selectedIn == hdc) return obj;
    if (b->selectedIn != 0) return 0;
    if (b->stockOf != 0 && b->stockOf != hdc) return 0;
    HBITMAP previous = d->selected;
    if (Bitmap* old = t.bitmap(previous)) old->selectedIn = 0;
    b->selectedIn = hdc;
    d->selected = obj;
    return previous;
}

BOOL DeleteObject(HGDIOBJ obj) {
    HandleTable& t = table();
    std::lock_guard lock(t.mutex);
    Bitmap* b = t.bitmap(obj);
    // A DC's own stock bitmap goes with its DC; a selected one is still in use.
    if (!b || b->selectedIn != 0 || b->stockOf != 0) return 0;
    t.release(obj);
    return 1;
}

BOOL DeleteDC(HDC hdc) {
    HandleTable& t = table();
    std::lock_guard lock(t.mutex);
    Dc* d = t.dc(hdc);
    if (!d) return 0;
    Dc gone = *d;
    if (Bitmap* b = t.bitmap(gone.selected)) b->selectedIn = 0;
    if (t.bitmap(gone.stock)) t.release(gone.stock);
    t.release(hdc);
    return 1;
}

BOOL BitBlt(HDC hdcDest, int xDest, int yDest, int w, int h, HDC hdcSrc, int xSrc, int ySrc, DWORD rop) {
    if (rop != SRCCOPY && rop != SRCERASE) return 0;
    if (w < 0 || h < 0) return 0;
    HandleTable& t = table();
    std::lock_guard lock(t.mutex);
    Bitmap* dst = selectedBitmap(t, hdcDest);
    Bitmap* src = selectedBitmap(t, hdcSrc);
    if (!dst || !src) return 0;

    Span cols = clipSpan(w, xDest, dst->width, xSrc, src->width);
    Span rows = clipSpan(h, yDest, dst->height, ySrc, src->height);
    if (cols.empty() || rows.empty()) return 1;
    const size_t n = static_cast<size_t>(cols.hi - cols.lo);
    const size_t rowCount = static_cast<size_t>(rows.hi - rows.lo);

    // A copy over the whole of a new bitmap needs no black under it.
    const bool wholeDestination =
        rop == SRCCOPY && n == static_cast<size_t>(dst->width) && rowCount == static_cast<size_t>(dst->height);
    const uint32_t* from = src->shown();
    uint32_t* to = wholeDestination ? dst->pixels : dst->shown();
    dst->blackPending = false;
    ++dst->writes;
    const size_t srcWidth = static_cast<size_t>(src->width);
    const size_t dstWidth = static_cast<size_t>(dst->width);
    const size_t srcFirst = static_cast<size_t>((ySrc + rows.lo) * src->width + xSrc + cols.lo);
    const size_t dstFirst = static_cast<size_t>((yDest + rows.lo) * dst->width + xDest + cols.lo);

    // Within one bitmap the rectangles may overlap: read the whole source first.
    std::vector<uint32_t> copy;
    auto fromStride = static_cast<std::ptrdiff_t>(srcWidth);
    if (src == dst) {
        try {
            copy.resize(n * rowCount);
        } catch (const std::bad_alloc&) {
            return 0;
        }
        for (size_t r = 0; r < rowCount; ++r)
            std::memcpy(&copy[r * n], from + srcFirst + r * srcWidth, n * sizeof(uint32_t));
        from = copy.data();
        fromStride = static_cast<std::ptrdiff_t>(n);
    } else {
        from += srcFirst;
    }

    const Rows shape = rectangle(n, rowCount, static_cast<std::ptrdiff_t>(dstWidth), fromStride);
    if (rop == SRCCOPY)
        copyOpaque(to + dstFirst, from, shape);
    else
        eraseOpaque(to + dstFirst, from, shape);
    return 1;
}

int GetDIBits(HDC hdc, HBITMAP bmp, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage) {
    if (!bits || !acceptedDib(info, usage)) return 0;
    HandleTable& t = table();
    std::lock_guard lock(t.mutex);
    Bitmap* b = t.bitmap(bmp);
    if (!t.dc(hdc) || !b) return 0;
    const BITMAPINFOHEADER& hdr = info->bmiHeader;
    const bool bottomUp = hdr.biHeight > 0;
    const int64_t rows = bottomUp ? hdr.biHeight : -int64_t{hdr.biHeight};
    if (hdr.biWidth != b->width || rows != b->height) return 0;
    if (start >= static_cast<UINT>(b->height)) return 0;
    const UINT count = std::min<UINT>(lines, static_cast<UINT>(b->height) - start);

    const size_t w = static_cast<size_t>(b->width);
    const auto stride = static_cast<std::ptrdiff_t>(w);
    const size_t firstRow = bottomUp ? static_cast<size_t>(b->height) - 1 - start : start;
    copyColours(static_cast<uint32_t*>(bits), b->shown() + firstRow * w,
                rectangle(w, count, stride, bottomUp ? -stride : stride));
    return static_cast<int>(count);
}

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT startScan, UINT lines,
                      const void* bits, const BITMAPINFO* info, UINT usage) {
    if (!bits || !acceptedDib(info, usage)) return 0;
    if (w > static_cast<DWORD>(INT32_MAX) || h > static_cast<DWORD>(INT32_MAX)) return 0;
    HandleTable& t = table();
    std::lock_guard lock(t.mutex);
    Bitmap* dst = selectedBitmap(t, hdc);
    if (!dst) return 0;

    const BITMAPINFOHEADER& hdr = info->bmiHeader;
    const bool bottomUp = hdr.biHeight > 0;
    const int64_t dibWidth = hdr.biWidth;
    const int64_t dibRows = bottomUp ? hdr.biHeight : -int64_t{hdr.biHeight};
    // The scan lines the buffer actually holds, in the DIB's own row order.
    const int64_t bandLo = startScan;
    const int64_t bandHi = std::min<int64_t>(int64_t{startScan} + lines, dibRows);
    if (bandLo >= bandHi) return 0;

    const Span cols = clipSpan(w, xDest, dst->width, xSrc, dibWidth);
    // Destination rows k inside the bitmap whose scan the buffer holds. A
    // bottom-up DIB's origin is its lower-left corner, so the top row of the
    // destination rectangle comes from the highest scan of the source one.
    const int64_t top = bottomUp ? int64_t{ySrc} + int64_t{h} - bandHi : bandLo - int64_t{ySrc};
    const int64_t bottom = bottomUp ? int64_t{ySrc} + int64_t{h} - bandLo : bandHi - int64_t{ySrc};
    const int64_t kLo = std::max({int64_t{0}, -int64_t{yDest}, top});
    const int64_t kHi = std::min({int64_t{h}, int64_t{dst->height} - yDest, bottom});
    if (!cols.empty() && kLo < kHi) {
        const int64_t firstScan = bottomUp ? int64_t{ySrc} + int64_t{h} - 1 - kLo : int64_t{ySrc} + kLo;
        const auto* from = static_cast<const uint32_t*>(bits) + (firstScan - bandLo) * dibWidth + xSrc + cols.lo;
        uint32_t* to = dst->shown() + (int64_t{yDest} + kLo) * dst->width + xDest + cols.lo;
        ++dst->writes;
        const auto n = static_cast<size_t>(cols.hi - cols.lo);
        copyOpaque(to, from, rectangle(n, static_cast<size_t>(kHi - kLo), dst->width, bottomUp ? -dibWidth : dibWidth));
    }
    return static_cast<int>(bandHi - bandLo);
}

uint32_t* lbBitmapPixels(HBITMAP bmp, int* width, int* height) {
    HandleTable& t = table();
    std::lock_guard lock(t.mutex);
    Bitmap* b = t.bitmap(bmp);
    if (!b) return nullptr;
    if (width) *width = b->width;
    if (height) *height = b->height;
    // The caller may read or write the memory at any time from now on.
    return b->shown();
}

uint32_t lbBitmapWrites(HBITMAP bmp) {
    HandleTable& t = table();
    std::lock_guard lock(t.mutex);
    Bitmap* b = t.bitmap(bmp);
    return b ? b->writes : 0;
}

HBITMAP lbSelectedBitmap(HDC hdc) {
    HandleTable& t = table();
    std::lock_guard lock(t.mutex);
    Dc* d = t.dc(hdc);
    return d ? d->selected : 0;
}

}  // extern "C"
