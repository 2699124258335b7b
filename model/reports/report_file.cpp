#include "model/reports/report_file.h"

#include <cerrno>
#include <string>
#include <system_error>

namespace vrn {

namespace {

// A trailer is looked for this far from the end (a PDF may put a line end after its "%%EOF").
constexpr std::size_t kTrailerWindow = 1024;

[[noreturn]] void Incomplete(const std::string& what) {
    throw std::system_error(std::make_error_code(std::errc::io_error),
                            "the file written is incomplete: " + what);
}

}  // namespace

std::unique_ptr<SafeSaveFile> OpenReportFile(const std::filesystem::path& target) {
    return std::make_unique<SafeSaveFile>(target);
}

void CheckReportFileBytes(const SafeSaveFile& file, std::uint64_t expected,
                          std::string_view trailer) {
    // Asked of the file itself, never by its name: something else may hold the name by now.
    const std::uint64_t size = file.WrittenSize();
    if (size != expected) {
        Incomplete("it holds " + std::to_string(size) + " of " + std::to_string(expected) +
                   " bytes");
    }
    if (trailer.empty()) {
        return;
    }
    const std::uint64_t from = size > kTrailerWindow ? size - kTrailerWindow : 0;
    std::string last(static_cast<std::size_t>(size - from), '\0');
    if (file.ReadBack(from, last) != last.size() || last.find(trailer) == std::string::npos) {
        Incomplete("its end is missing");
    }
}

}  // namespace vrn
