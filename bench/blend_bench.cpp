// SPDX-License-Identifier: GPL-3.0-or-later
// px_AddBlend on the two rectangle sizes the game draws (25 x 22 and 38 x 38),
// plain and packed, as a whole call through device contexts and as the routine
// alone; afterwards the packed/plain speed ratio of the routine.
//
// Targets: the packed routine at least 3x the plain one, a whole 38 x 38 call
// under 20 us.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "blend_routines.h"
#include "median_reporter.h"
#include "pxmix.h"
#include "wingdi.h"

namespace {

// A picture box stand-in: a memory DC with a 350 x 350 bitmap of noise.
class Picture {
public:
    explicit Picture(uint32_t seed) {
        dc_ = CreateCompatibleDC(0);
        bitmap_ = CreateCompatibleBitmap(dc_, kSide, kSide);
        stock_ = SelectObject(dc_, bitmap_);
        uint32_t* p = lbBitmapPixels(bitmap_, nullptr, nullptr);
        std::mt19937 rng(seed);
        for (int i = 0; i < kSide * kSide; ++i) p[i] = rng() | 0xFF000000u;
    }
    ~Picture() {
        SelectObject(dc_, stock_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    int32_t hdc() const { return static_cast<int32_t>(dc_); }

private:
    static constexpr int kSide = 350;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ stock_;
};

void wholeCall(benchmark::State& state, int w, int h, int32_t flags) {
    Picture frame(1), sprites(2), background(3);
    for (auto _ : state) {
        px_AddBlend(frame.hdc(), 160, 200, w, h, sprites.hdc(), 38, 0, background.hdc(), 160, 200, flags, 0);
    }
    state.SetItemsProcessed(state.iterations() * w * h);
}

enum class Routine { Plain, Mmx, Swar };

void routineAlone(benchmark::State& state, int w, int h, Routine routine) {
    const size_t n = static_cast<size_t>(w) * static_cast<size_t>(h);
    std::vector<uint32_t> a(n), b(n), out(n);
    std::mt19937 rng(4);
    for (size_t i = 0; i < n; ++i) {
        a[i] = rng() & 0x00FFFFFF;
        b[i] = rng() & 0x00FFFFFF;
    }
    for (auto _ : state) {
        switch (routine) {
        case Routine::Plain: pxmix::plain::add(a.data(), b.data(), out.data(), n); break;
        case Routine::Mmx: pxmix::packed::add(a.data(), b.data(), out.data(), n); break;
        case Routine::Swar: pxmix::swar::add(a.data(), b.data(), out.data(), n); break;
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n));
}

BENCHMARK_CAPTURE(wholeCall, plain_25x22, 25, 22, 0);
BENCHMARK_CAPTURE(wholeCall, packed_25x22, 25, 22, PX_FLAG_MMX);
BENCHMARK_CAPTURE(wholeCall, plain_38x38, 38, 38, 0);
BENCHMARK_CAPTURE(wholeCall, packed_38x38, 38, 38, PX_FLAG_MMX);
BENCHMARK_CAPTURE(routineAlone, plain_25x22, 25, 22, Routine::Plain);
BENCHMARK_CAPTURE(routineAlone, packed_25x22, 25, 22, Routine::Mmx);
BENCHMARK_CAPTURE(routineAlone, swar_25x22, 25, 22, Routine::Swar);
BENCHMARK_CAPTURE(routineAlone, plain_38x38, 38, 38, Routine::Plain);
BENCHMARK_CAPTURE(routineAlone, packed_38x38, 38, 38, Routine::Mmx);
BENCHMARK_CAPTURE(routineAlone, swar_38x38, 38, 38, Routine::Swar);

}  // namespace

int main(int argc, char** argv) {
    MedianReporter reporter;
    if (!runBenchmarks(argc, argv, reporter)) return 1;

    auto& t = reporter.cpuTime;
    std::printf("\n");
    for (const char* size : {"25x22", "38x38"}) {
        const std::string plain = std::string("routineAlone/plain_") + size;
        const std::string packed = std::string("routineAlone/packed_") + size;
        if (t.count(plain) && t.count(packed) && t[packed] > 0)
            std::printf("add routine %s: plain %.0f ns, packed %.0f ns: packed is %.1fx the plain one (target >= 3x)\n",
                        size, t[plain], t[packed], t[plain] / t[packed]);
    }
    for (const char* call : {"wholeCall/plain_38x38", "wholeCall/packed_38x38"})
        if (t.count(call)) std::printf("%s: %.2f us per call (target < 20 us)\n", call, t[call] / 1000.0);
    return 0;
}
