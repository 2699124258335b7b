#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/reports/report_file.h"

namespace vrn::testing {
namespace {

namespace fs = std::filesystem;

// What the writer counted and how the file ends must both match what the disk holds.
TEST(ReportFileTest, TheCheckComparesTheDiskWithWhatWasWritten) {
    const fs::path folder =
        fs::temp_directory_path() / ("vrn-report-file-test-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string pdf = "%PDF-1.4\nbody\n%%EOF\n";
    const struct {
        const char* name;
        std::uint64_t counted;
        std::string trailer;
        bool whole;
    } cases[] = {
        {"all there", pdf.size(), "%%EOF", true},
        {"no trailer asked for", pdf.size(), "", true},
        {"fewer bytes on disk than written", pdf.size() + 1, "%%EOF", false},
        {"more bytes on disk than written", pdf.size() - 1, "%%EOF", false},
        {"the end is missing", pdf.size(), "startxref", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SafeSaveFile file(folder / "report.pdf");
        file.Write(pdf);
        if (c.whole) {
            EXPECT_NO_THROW(CheckReportFileBytes(file, c.counted, c.trailer));
        } else {
            EXPECT_THROW(CheckReportFileBytes(file, c.counted, c.trailer), std::system_error);
        }
    }
    EXPECT_TRUE(fs::is_empty(folder));  // nothing was committed
    fs::remove_all(folder);
}

// The check reads the file it wrote, not whatever holds its name by then: a pipe put there would
// wait for a writer for good.
TEST(ReportFileTest, TheCheckReadsTheWrittenFileNotItsName) {
    const fs::path folder =
        fs::temp_directory_path() / ("vrn-report-file-pipe-test-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string pdf = "%PDF-1.4\nbody\n%%EOF\n";
    {
        SafeSaveFile file(folder / "report.pdf");
        file.Write(pdf);
        fs::remove(file.temporary());
        ASSERT_EQ(::mkfifo(file.temporary().c_str(), 0600), 0);
        EXPECT_NO_THROW(CheckReportFileBytes(file, pdf.size(), "%%EOF"));
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace vrn::testing
