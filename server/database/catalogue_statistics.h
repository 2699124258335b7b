#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kt {

// Appends the catalogue's 24 figures of live rows ("Total Entities", "Activities", ...,
// "Resolves exception") to the two arrays at Count + 1 onwards, keeping what they held before,
// and leaves Count at the last one. The arrays run from index 0, which a caller starting from
// Count 0 finds empty. A negative Count is refused with "Invalid procedure call or argument".
void GetStatistics(std::vector<std::string>& Statistic, std::vector<std::int32_t>& Values,
                   std::int32_t& Count);

}  // namespace kt
