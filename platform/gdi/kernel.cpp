// SPDX-License-Identifier: GPL-3.0-or-later
// The millisecond tick and fixed global memory blocks.
#define WINGDI_BUILDING 1
#include "wingdi.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

// The tick starts as if the machine had been up for a few hours, so no code can
// mistake a small tick for "not set"; like Windows it wraps after 24.8 days.
constexpr uint32_t kTickBase = 0x01000000u;
// No block the game or pxmix asks for comes near this; anything larger is a
// size computed from bad input, refused before it reaches the allocator.
constexpr size_t kMaxBlock = size_t{1} << 30;

const std::chrono::steady_clock::time_point processStart = std::chrono::steady_clock::now();

struct TickClock {
    std::mutex mutex;
    TickSource source = nullptr;
    void* context = nullptr;
};

TickClock& tickClock() {
    static TickClock instance;
    return instance;
}

// Every block given out and not yet returned to the C heap, so a double or
// foreign GlobalFree is refused instead of corrupting the heap. pxmix takes and
// frees a block of the same size for every blit, so a few freed blocks are
// kept for the next request of their size: in a frame no block goes back and
// forth to the allocator, only the zeroing remains.
struct Blocks {
    struct Block {
        size_t bytes;
        bool live;
    };
    ~Blocks() {
        for (void* mem : spare) std::free(mem);
    }

    std::mutex mutex;
    std::unordered_map<void*, Block> known;
    std::vector<void*> spare;  // freed, kept for reuse; the most recent last
};

constexpr size_t kSpareBlocks = 4;
constexpr size_t kMaxSpareBytes = size_t{1} << 20;

Blocks& blocks() {
    static Blocks instance;
    return instance;
}

}  // namespace

extern "C" {

HGLOBAL GlobalAlloc(UINT flags, size_t bytes) {
    if (bytes > kMaxBlock) return nullptr;
    if (bytes == 0) bytes = 1;
    Blocks& b = blocks();
    void* reused = nullptr;
    {
        std::lock_guard lock(b.mutex);
        for (size_t i = b.spare.size(); i-- > 0 && !reused;) {
            auto& block = b.known.at(b.spare[i]);
            if (block.bytes != bytes) continue;
            block.live = true;
            reused = b.spare[i];
            b.spare.erase(b.spare.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    if (reused) {
        if (flags & GMEM_ZEROINIT) std::memset(reused, 0, bytes);
        return reused;
    }
    void* mem = (flags & GMEM_ZEROINIT) ? std::calloc(1, bytes) : std::malloc(bytes);
    if (!mem) return nullptr;
    std::lock_guard lock(b.mutex);
    try {
        b.known.emplace(mem, Blocks::Block{bytes, true});
    } catch (...) {
        std::free(mem);
        return nullptr;
    }
    return mem;
}

HGLOBAL GlobalFree(HGLOBAL mem) {
    if (!mem) return nullptr;
    Blocks& b = blocks();
    void* released = nullptr;
    {
        std::lock_guard lock(b.mutex);
        auto it = b.known.find(mem);
        if (it == b.known.end() || !it->second.live) return mem;
        it->second.live = false;
        if (it->second.bytes <= kMaxSpareBytes) {
            if (b.spare.size() == kSpareBlocks) {
                released = b.spare.front();
                b.spare.erase(b.spare.begin());
                b.known.erase(released);
            }
            b.spare.push_back(mem);
        } else {
            b.known.erase(it);
            released = mem;
        }
    }
    std::free(released);
    return nullptr;
}

int32_t GetTickCount(void) {
    TickSource source;
    void* context;
    {
        TickClock& c = tickClock();
        std::lock_guard lock(c.mutex);
        source = c.source;
        context = c.context;
    }
    // Called outside the lock: a virtual clock may well install another one.
    if (source) return source(context);
    auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - processStart).count();
    return static_cast<int32_t>(kTickBase + static_cast<uint32_t>(ms));
}

int64_t lbMicrosUntilTick(int32_t tick) {
    {
        TickClock& c = tickClock();
        std::lock_guard lock(c.mutex);
        if (c.source) return 0;
    }
    const int64_t us =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - processStart).count();
    const int64_t ms = us / 1000;
    const uint32_t nowTick = kTickBase + static_cast<uint32_t>(ms);
    const int32_t ahead = static_cast<int32_t>(static_cast<uint32_t>(tick) - nowTick);
    if (ahead <= 0) return 0;
    return (ms + ahead) * 1000 - us;
}

void lbSetTickSource(TickSource source, void* context) {
    TickClock& c = tickClock();
    std::lock_guard lock(c.mutex);
    c.source = source;
    c.context = source ? context : nullptr;
}

}  // extern "C"
