#include "bench/support/large_matrix_file.h"

#include <unistd.h>

#include "model/vrn_matrix.h"

namespace vrn::bench {

namespace fs = std::filesystem;

LargeMatrixFile::LargeMatrixFile(const std::string& stem)
    : document(BuildLargeDocument()),
      folder(fs::temp_directory_path() / (stem + "-" + std::to_string(::getpid()))),
      path(folder / "large.vrn") {
    fs::create_directories(folder);
    // The window a user would open the file in; a recording window is as wide as nothing.
    document.window->setWidth(15000);
    std::int16_t file = 0;
    document.matrix->OpenFile(path.string(), file, "Output");
    document.matrix->Save(file, false);
    document.matrix->CloseFile(file);
    bytes = static_cast<std::int64_t>(fs::file_size(path));
}

LargeMatrixFile::~LargeMatrixFile() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

}  // namespace vrn::bench
