#pragma once

#include <cstdint>

namespace kt {

// True when `generalizationKey` is `entityKey` itself (answered without the database) or one of
// its generalizations at any depth, followed depth first in the order GetGenIDs gives. Every
// entity on the way is loaded (error 2 when one is missing) and must be live (error 22). An
// entity met twice, as in a cycle of Specialization rows, is walked once.
bool IsGeneralizationOf(std::int32_t entityKey, std::int32_t generalizationKey);

}  // namespace kt
