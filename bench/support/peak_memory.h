#pragma once

#include <cstddef>

namespace vrn::bench {

// Peak resident set size of this process so far, in megabytes.
double peakMemoryMB();

}  // namespace vrn::bench
