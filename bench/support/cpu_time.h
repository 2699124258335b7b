#pragma once

#include <ctime>

namespace vrn::bench {

// CPU time this process has used so far, in seconds, page faults and system calls included. On a
// machine that other work shares, it varies far less than the time on the clock.
inline double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The CPU time `work` takes.
template <class Work>
double CpuSecondsOf(Work&& work) {
    const double start = ProcessCpuSeconds();
    work();
    return ProcessCpuSeconds() - start;
}

}  // namespace vrn::bench
