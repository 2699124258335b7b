#pragma once

#include <sys/resource.h>

#include <algorithm>
#include <ctime>
#include <numeric>
#include <vector>

namespace vrn::bench {

// CPU time this process has used so far, in seconds, page faults and system calls included. On a
// machine that other work shares, it varies far less than the time on the clock.
inline double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// What this process has cost so far, or what some work cost: CPU seconds, the system's share of
// them (page faults and system calls), page faults.
struct ProcessCost {
    double cpuSeconds = 0;
    double systemSeconds = 0;
    double faults = 0;

    double userSeconds() const { return cpuSeconds - systemSeconds; }
    ProcessCost operator-(const ProcessCost& earlier) const {
        return {cpuSeconds - earlier.cpuSeconds, systemSeconds - earlier.systemSeconds,
                faults - earlier.faults};
    }
};

inline ProcessCost ProcessCostSoFar() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return {ProcessCpuSeconds(),
            static_cast<double>(usage.ru_stime.tv_sec) +
                static_cast<double>(usage.ru_stime.tv_usec) * 1e-6,
            static_cast<double>(usage.ru_minflt + usage.ru_majflt)};
}

// The CPU time `work` takes.
template <class Work>
double CpuSecondsOf(Work&& work) {
    const double start = ProcessCpuSeconds();
    work();
    return ProcessCpuSeconds() - start;
}

// The CPU times of a benchmark's iterations. The median leaves out the iterations that other
// work on the machine, or memory the system hands out for the first time, made slow.
class CpuTimes {
public:
    void Add(double seconds) { seconds_.push_back(seconds); }
    double First() const { return seconds_.empty() ? 0 : seconds_.front(); }
    double Mean() const {
        return seconds_.empty() ? 0
                                : std::accumulate(seconds_.begin(), seconds_.end(), 0.0) /
                                      static_cast<double>(seconds_.size());
    }
    double Median() const {
        if (seconds_.empty()) {
            return 0;
        }
        std::vector<double> sorted = seconds_;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t middle = sorted.size() / 2;
        return sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
    }

private:
    std::vector<double> seconds_;
};

}  // namespace vrn::bench
