#include "bench/support/peak_memory.h"

#include <sys/resource.h>

namespace vrn::bench {

double peakMemoryMB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in kilobytes on Linux
}

}  // namespace vrn::bench
