#pragma once

#include <fstream>
#include <string>

// The process's resident memory as /proc shows it, for benchmarks that measure what one piece
// of work adds on top of what was there before it.

namespace vrn::bench {

// A figure of /proc/self/status ("VmRSS", "VmHWM") in megabytes; 0 when it cannot be read.
inline double statusMB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(field + ":")) {
            return std::stod(line.substr(field.size() + 1)) / 1024.0;  // given in kB
        }
    }
    return 0;
}

// Starts the resident high-water mark afresh at the current size, so that a run measures its
// own peak rather than that of the document built before it.
inline void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The peak since `resetPeakMemory` above the resident size `before`.
inline double peakAboveMB(double before) {
    return statusMB("VmHWM") - before;
}

}  // namespace vrn::bench
