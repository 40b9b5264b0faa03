// SPDX-License-Identifier: GPL-3.0-or-later
// The console table of Google Benchmark, plus the processor time per iteration
// of every benchmark kept for a summary after it: the median when repetitions
// were asked for, else the one run. Processor time, because the wall clock also
// counts whatever else the shared machine is doing.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            const std::string name = r.run_name.str();
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median") {
                cpuTime[name] = r.GetAdjustedCPUTime();
                fromMedian[name] = true;
            } else if (r.run_type == Run::RT_Iteration && !fromMedian[name]) {
                cpuTime[name] = r.GetAdjustedCPUTime();
            }
        }
    }
    // In the unit of the benchmark's table.
    std::map<std::string, double> cpuTime;

private:
    std::map<std::string, bool> fromMedian;
};

// Runs the benchmarks the command line asks for into `reporter`; false when the
// command line holds something Google Benchmark does not know.
inline bool runBenchmarks(int& argc, char** argv, MedianReporter& reporter) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return false;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return true;
}
