#pragma once

#include <string>
#include <vector>

#include "model/vrn_matrix.h"

namespace vrn::testing {

// Everything a matrix file stores of `document`, one "path=value" line per field, in file
// order: two documents with equal snapshots hold the same file contents. Interactions name their
// practices by key, so a snapshot is taken after a save or a read.
std::vector<std::string> DocumentSnapshot(VRN_Matrix& document);

}  // namespace vrn::testing
