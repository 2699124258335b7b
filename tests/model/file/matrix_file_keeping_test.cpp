#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "model/file/checked_save.h"
#include "model/file/safe_save_file.h"
#include "tests/model/file/file_fixture.h"
#include "tests/support/child_process.h"

// A save either replaces the matrix file whole or leaves it as it was, with nothing beside it,
// whatever the disk or the writing process does.

namespace vrn::testing {
namespace {

namespace fs = std::filesystem;

using MatrixFileKeepingTest = FileFixture;

// Disks that fail a save in the ways a real one can: full after some bytes, or quietly holding
// less than it was given.
class FailingDiskFile : public SafeSaveFile {
public:
    enum class Fault { FullAfterRoom, LosesLastByte };

    FailingDiskFile(const fs::path& target, Fault fault, std::size_t room)
        : SafeSaveFile(target), fault_(fault), room_(room) {}

    void Write(std::string_view bytes) override {
        if (fault_ == Fault::LosesLastByte) {
            SafeSaveFile::Write(bytes.substr(0, bytes.size() - 1));
            return;
        }
        const std::size_t fits = std::min(bytes.size(), room_);
        SafeSaveFile::Write(bytes.substr(0, fits));
        room_ -= fits;
        if (fits < bytes.size()) {
            throw std::system_error(ENOSPC, std::generic_category(), "writing failed");
        }
    }

private:
    Fault fault_;
    std::size_t room_;
};

TEST_F(MatrixFileKeepingTest, AFailingDiskLeavesThePreviousFileAndNoTemporaryAndSaysWhy) {
    struct Case {
        const char* name;
        FailingDiskFile::Fault fault;
        std::string reason;
    };
    const Case cases[] = {
        {"full disk", FailingDiskFile::Fault::FullAfterRoom, std::strerror(ENOSPC)},
        {"lost bytes", FailingDiskFile::Fault::LosesLastByte,
         "the disk does not hold what was written"},
    };
    const auto document = RichDocument();
    const fs::path path = folder / "plan.vrn";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(path, "the previous file");
        std::string error;
        {
            FailingDiskFile disk(path, c.fault, 100);
            try {
                WriteChecked(disk, [&document](ByteSink& sink) {
                    TaggedRecordWriter writer(sink);
                    document->Save(writer, false);
                    writer.Flush();
                });
            } catch (const std::system_error& failure) {
                error = failure.what();
            }
        }
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_EQ(ReadBytes(path), "the previous file");
        EXPECT_EQ(FolderContents(), std::vector<fs::path>{"plan.vrn"});
    }
}

TEST_F(MatrixFileKeepingTest, AWriterKilledHalfWayLeavesNoStrayFileAfterTheNextSave) {
    const auto document = RichDocument();
    const fs::path path = folder / "plan.vrn";
    SaveTo(*document, path);
    const std::string before = ReadBytes(path);
    const std::string bytes = SavedBytes(*document);

    ChildProcess writer(
        [&] {
            // The writer: half the file into its temporary, then it waits for the end.
            try {
                SafeSaveFile target(path);
                target.Write(std::string_view(bytes).substr(0, bytes.size() / 2));
                constexpr std::string_view kWritten = "written\n";
                if (::write(STDOUT_FILENO, kWritten.data(), kWritten.size()) ==
                    static_cast<ssize_t>(kWritten.size())) {
                    for (;;) {
                        ::pause();
                    }
                }
            } catch (...) {
            }
            return 1;
        },
        {.captureOutput = true});
    ASSERT_EQ(writer.readLine(), "written");
    ASSERT_EQ(writer.kill().signal, SIGKILL);

    // Killed half-way: the file is as it was, its half-written temporary beside it.
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(ReadBytes(SafeSaveFile::TemporaryPathFor(path)), bytes.substr(0, bytes.size() / 2));

    document->title = "After the crash";
    SaveTo(*document, path);
    EXPECT_EQ(ReadBytes(path), SavedBytes(*document));
    EXPECT_EQ(FolderContents(), std::vector<fs::path>{"plan.vrn"});
}

TEST_F(MatrixFileKeepingTest, TheDocumentCountsTheCharactersItsFileCannotHold) {
    const auto document = RichDocument();
    // Accents, the euro sign and curly quotes are in the code page.
    EXPECT_EQ(document->CharactersSavedAsQuestionMarks(), 0u);
    document->title = "Roof \xE2\x86\x92 walls";  // an arrow
    document->Existing()->PGroups.Item(1)->PracticeParts.Item(1)->setDescription(
        "\xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80?");  // two CJK characters, an emoji, a "?"
    EXPECT_EQ(document->CharactersSavedAsQuestionMarks(), 4u);
    EXPECT_NE(SavedBytes(*document).find("\"Roof ? walls\""), std::string::npos);
}

}  // namespace
}  // namespace vrn::testing
