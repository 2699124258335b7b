#include "platform/heap_limits.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace vrn {

namespace {

constexpr int kLargestHeapBlock = 32 * 1024 * 1024;
constexpr int kFreeHeapKept = 2 * kLargestHeapBlock;

}  // namespace

void settleHeapLimits() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
    mallopt(M_TRIM_THRESHOLD, kFreeHeapKept);
#endif
}

}  // namespace vrn
