#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

#include "model/file/safe_save_file.h"

namespace vrn {

// Opens the file a report is saved to. The program's opener makes a SafeSaveFile; tests hand in
// files that fail or stop part way.
using ReportFileOpener =
    std::function<std::unique_ptr<SafeSaveFile>(const std::filesystem::path& target)>;

std::unique_ptr<SafeSaveFile> OpenReportFile(const std::filesystem::path& target);

// Throws std::system_error unless the temporary file of `file` holds `expected` bytes, the last
// of them containing `trailer`: what the writer counted must be what the disk holds.
void CheckReportFileBytes(const SafeSaveFile& file, std::uint64_t expected,
                          std::string_view trailer);

}  // namespace vrn
