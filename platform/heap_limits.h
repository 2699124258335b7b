#pragma once

namespace vrn {

// Settles the C library's heap limits for the program's life: blocks of up to 32 MiB come from
// the heap, and up to 64 MiB of free heap stay with the program. The PDF writer takes two
// 16 MiB buffers for every page it compresses and frees them again; under the library's
// adaptive limits those buffers were handed back to the system after one page and taken again
// for the next whenever nothing happened to lie above them in the heap, which cost a long
// report page faults and system calls on every page. The figures are the ceilings the adaptive
// limits themselves rise to. Call once, at the start of the program; nothing else changes.
void settleHeapLimits();

}  // namespace vrn
