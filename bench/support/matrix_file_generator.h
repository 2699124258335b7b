#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "bench/support/large_document.h"
#include "bench/support/scratch_folder.h"

namespace vrn::bench {

// The large document's shape grown `scale` times in bytes and cells: every state gets about
// sqrt(scale) times the practices, so that interactions within a state, across the grid and in
// the file all grow `scale` times. Scale 1 is the default shape.
LargeDocumentShape ScaledShape(int scale);

// One existing group of 2,000 practices (about 2 million interactions within it) beside one
// alternative of three practices: the file of several hundred megabytes that a user with one
// long list of practices makes.
LargeDocumentShape PracticeGroupShape();

// Writes a version 3 matrix file of `shape` without building its interactions, so that files of
// gigabytes cost little more memory than their practices: the model's writer writes a document
// of that shape without a window and without interactions, and the interaction records, written
// by the model's writer too, are put in before the end of each state and of the document. Names,
// importance ratings, values, notes and descriptions are those of BuildLargeDocument, the
// interaction colour white. Within a state every practice meets each practice before it; across,
// every target practice meets each existing practice. Throws std::runtime_error when the file
// cannot be written.
void WriteMatrixFile(const LargeDocumentShape& shape, const std::filesystem::path& path);

// A generated file in a folder of the benchmark's own, which goes when the object ends.
struct GeneratedMatrixFile {
    GeneratedMatrixFile(const LargeDocumentShape& shape, const std::string& stem);

    LargeDocumentShape shape;
    ScratchFolder folder;
    std::filesystem::path path;
    std::int64_t bytes = 0;
};

}  // namespace vrn::bench
