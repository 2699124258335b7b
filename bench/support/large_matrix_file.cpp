#include "bench/support/large_matrix_file.h"

#include "model/vrn_matrix.h"

namespace vrn::bench {

namespace fs = std::filesystem;

LargeMatrixFile::LargeMatrixFile(const std::string& stem)
    : document(BuildLargeDocument()), folder(stem), path(folder.path() / "large.vrn") {
    // The window a user would open the file in; a recording window is as wide as nothing.
    document.window->setWidth(15000);
    std::int16_t file = 0;
    document.matrix->OpenFile(path.string(), file, "Output");
    document.matrix->Save(file, false);
    document.matrix->CloseFile(file);
    bytes = static_cast<std::int64_t>(fs::file_size(path));
}

}  // namespace vrn::bench
