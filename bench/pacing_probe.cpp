// SPDX-License-Identifier: GPL-3.0-or-later
// Frame pacing and processor use of the real program: the Qt front, a bot on the
// keys, NORMAL with SPILITUAL FEVER for the heaviest load the tables allow.
//   pacing_probe [--seconds N] [--title-seconds N] [--spin] [--zoom K]
// --spin replaces the sleeping wait turn with a pure spin, for comparison;
// --zoom K enlarges the window until the picture shows K times as large.
#include <QApplication>
#include <QWidget>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "loader/program_folder.h"
#include "qt/qt_services.h"
#include "shell/form1.h"
#include "shell/play_keys.h"

namespace {

using Clock = std::chrono::steady_clock;

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Seconds since the process was started, from the kernel's record of it.
double secondsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string s((std::istreambuf_iterator<char>(stat)), {});
    auto close = s.rfind(')');
    if (close == std::string::npos) return -1;
    std::vector<std::string> fields;
    size_t pos = close + 2;
    while (pos < s.size()) {
        size_t next = s.find(' ', pos);
        fields.push_back(s.substr(pos, next - pos));
        if (next == std::string::npos) break;
        pos = next + 1;
    }
    if (fields.size() < 20) return -1;
    double started = std::stod(fields[19]) / sysconf(_SC_CLK_TCK);  // field 22 of the line
    timespec up{};
    clock_gettime(CLOCK_BOOTTIME, &up);
    return up.tv_sec + up.tv_nsec / 1e9 - started;
}

class ProbeServices : public qtfront::QtServices {
public:
    bool spin = false;
    bool botOn = false;
    game::Form1* f = nullptr;
    double firstTitleAt = -1;
    // Start ticks of consecutive play frames; a new game starts a new run.
    std::vector<std::vector<int32_t>> runs;
    std::vector<std::vector<double>> runsMicros;
    bool inPlay = false;

    int16_t GetKeyState(int vk) override {
        if (!botOn) return QtServices::GetKeyState(vk);
        const int32_t t = GetTickCount();
        bool down = false;
        if (vk == f->KeyS5) down = (t / 40) % 2 == 0;
        if (vk == game::laneKey(*f, (t / 200) % game::kLanes)) down = down || (t % 200) < 100;
        if (vk == f->KeyS7) down = down || (t / 500) % 4 == 0;
        if (vk == f->KeyS6) down = down || (t / 300) % 5 == 0;
        return down ? static_cast<int16_t>(0xFF80) : QtServices::GetKeyState(vk);
    }

    void idle(int32_t deadline) override {
        if (!spin) QtServices::idle(deadline);
    }

    void repaint() override {
        QtServices::repaint();
        if (f == nullptr) return;
        if (firstTitleAt < 0 && f->scene == 0) firstTitleAt = secondsSinceProcessStart();
        // playFrame repaints once per frame, right after drawing it.
        if (f->scene == 2 && f->gameOver == 0) {
            if (!inPlay) {
                runs.emplace_back();
                runsMicros.emplace_back();
                inPlay = true;
            }
            if (runs.back().empty() || runs.back().back() != f->frameTick) {
                runs.back().push_back(f->frameTick);
                runsMicros.back().push_back(
                    std::chrono::duration<double, std::micro>(Clock::now().time_since_epoch()).count());
            }
        } else {
            inPlay = false;
        }
    }

    // The probe answers its own boxes so no box stops the loop.
    void msgBox(const std::string&, const std::string&, int) override {}
    std::string inputBox(const std::string&, const std::string&, const std::string&) override { return ""; }
};

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    size_t i = static_cast<size_t>(p / 100.0 * (v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 60, titleSeconds = 5;
    bool spin = false;
    int zoom = 1;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--spin"))
            spin = true;
        else if (!std::strcmp(argv[i], "--zoom") && i + 1 < argc)
            zoom = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc)
            seconds = std::atof(argv[++i]);
        else if (!std::strcmp(argv[i], "--title-seconds") && i + 1 < argc)
            titleSeconds = std::atof(argv[++i]);
    }
    QApplication app(argc, argv);
    ProbeServices sv;
    sv.spin = spin;
    std::string folder = platform::programFolder();
    // The probe lives in build/bench; the program folder is build/bin.
    if (folder.size() > 6 && folder.substr(folder.size() - 6) == "/bench")
        folder = folder.substr(0, folder.size() - 6) + "/bin";
    game::Form1 f(sv, folder);
    sv.f = &f;
    try {
        f.startUp();
        f.mnuVio.checked = false;   // the plain ending keeps more of the run in play
        f.mnulv_Click(3);           // NORMAL: a hundred enemies may be on the field
        f.mnulv[6].checked = true;  // SPILITUAL FEVER: level 99 and a full gauge
        if (QWidget* window = sv.windowOf(f.form)) {
            const int grow = game::kPlaySize * (zoom - 1);
            window->resize(window->size() + QSize(grow, grow));
            const auto settled = Clock::now() + std::chrono::milliseconds(500);
            while (Clock::now() < settled) f.runPass();
        }

        auto runFor = [&](double s) {
            const auto end = Clock::now() + std::chrono::duration<double>(s);
            while (Clock::now() < end) f.runPass();
        };
        const double titleCpu0 = cpuSeconds();
        const auto titleStart = Clock::now();
        runFor(titleSeconds);
        const double titleCpu =
            (cpuSeconds() - titleCpu0) / std::chrono::duration<double>(Clock::now() - titleStart).count();

        sv.botOn = true;
        const double playCpu0 = cpuSeconds();
        const auto playStart = Clock::now();
        runFor(seconds);
        const double playWall = std::chrono::duration<double>(Clock::now() - playStart).count();
        const double playCpu = (cpuSeconds() - playCpu0) / playWall;

        std::vector<double> periods, micros;
        for (size_t r = 0; r < sv.runs.size(); ++r)
            for (size_t i = 1; i < sv.runs[r].size(); ++i) {
                periods.push_back(game::tickDiff(sv.runs[r][i], sv.runs[r][i - 1]));
                micros.push_back(sv.runsMicros[r][i] - sv.runsMicros[r][i - 1]);
            }
        const size_t good = std::count_if(periods.begin(), periods.end(), [](double p) { return p == 20 || p == 21; });
        rusage u{};
        getrusage(RUSAGE_SELF, &u);

        const QWidget* picture = sv.widgetOf(f.picMain);
        const double shown = picture ? picture->width() * picture->devicePixelRatio() / game::kPlaySize : 0;
        std::printf("pacing probe (%s wait, picture x%.0f), %.0f s of play, %zu games, %zu frame periods\n",
                    spin ? "spinning" : "sleeping", shown, playWall, sv.runs.size(), periods.size());
        std::printf("  frame period ms (tick): min %.0f  median %.0f  p99 %.0f  max %.0f\n", percentile(periods, 0),
                    percentile(periods, 50), percentile(periods, 99), percentile(periods, 100));
        std::printf("  frame period us (wall): min %.0f  median %.0f  p99 %.0f  max %.0f\n", percentile(micros, 0),
                    percentile(micros, 50), percentile(micros, 99), percentile(micros, 100));
        // The targets are the sleeping wait's; the spinning one is the yardstick.
        const bool sleeping = !spin;
        std::printf("  periods of 20 or 21 ms: %.2f %%%s\n", periods.empty() ? 0.0 : 100.0 * good / periods.size(),
                    sleeping ? " (target >= 99 %)" : "");
        std::printf("  processor: %.2f %% of a core while playing%s, %.2f %% on the title%s\n", 100 * playCpu,
                    sleeping ? " (target <= 3 %)" : "", 100 * titleCpu, sleeping ? " (target <= 1.5 %)" : "");
        std::printf("  peak resident memory: %.1f MB\n", u.ru_maxrss / 1024.0);
        std::printf("  first title picture: %.0f ms after the process started\n", sv.firstTitleAt * 1000);
    } catch (const platform::ProgramEnd& e) {
        std::fprintf(stderr, "pacing probe: the program ended early (status %d)\n", e.status);
        return 1;
    }
    return 0;
}
