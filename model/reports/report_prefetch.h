#pragma once

#include <cstddef>

namespace vrn {

// The reports walk a large document's interactions, which lie scattered in memory and do not fit
// in the caches: a walk asks for the element it will need a few steps ahead, so that it is there
// when the walk gets to it.
inline constexpr std::ptrdiff_t kReportPrefetchAhead = 8;

// Prefetches what `pointer` gives for the item `kReportPrefetchAhead` after `at`, if there is one.
template <class Iterator, class Pointer>
void PrefetchAhead(Iterator at, Iterator end, Pointer pointer) {
    if (end - at > kReportPrefetchAhead) {
        __builtin_prefetch(pointer(*(at + kReportPrefetchAhead)));
    }
}

}  // namespace vrn
