#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "bench/support/large_document.h"
#include "bench/support/scratch_folder.h"

namespace vrn::bench {

// The large document written by the model's own writer into a folder of the benchmark's own,
// which goes when the object ends.
struct LargeMatrixFile {
    explicit LargeMatrixFile(const std::string& stem);

    LargeDocument document;
    ScratchFolder folder;
    std::filesystem::path path;
    std::int64_t bytes = 0;
};

}  // namespace vrn::bench
