#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "model/file/matrix_file_error.h"
#include "model/vrn_state.h"
#include "tests/model/file/file_fixture.h"

namespace vrn::testing {
namespace {

namespace fs = std::filesystem;

class OpenFileTest : public FileFixture {
protected:
    // The message of the MatrixFileError that `call` raises.
    template <class Call>
    std::string ErrorOf(Call call, std::string* title = nullptr) {
        try {
            call();
        } catch (const MatrixFileError& error) {
            if (title != nullptr) {
                *title = error.title();
            }
            return error.what();
        }
        ADD_FAILURE() << "no error";
        return {};
    }
};

TEST_F(OpenFileTest, NumbersAreTheLowestFreeAndTheLastPathIsRemembered) {
    const auto document = NewDocument(1);
    const fs::path path = folder / "a.vrn";
    WriteBytes(path, ReadBytes(DataFile("fresh.vrn")));
    std::int16_t first = 0;
    std::int16_t second = 0;
    document->OpenFile(path.string(), first, "Input");
    document->OpenFile((folder / "b.vrn").string(), second, "Output");
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    EXPECT_EQ(document->Open_File_Path, (folder / "b.vrn").string());

    std::int16_t other = 0;
    document->OpenFile("anything", other, "Append");  // opens nothing, gives the next number
    EXPECT_EQ(other, 3);
    EXPECT_EQ(document->Open_File_Path, (folder / "b.vrn").string());

    document->CloseFile(first);
    EXPECT_EQ(document->Open_File_Path, "Closed");
    std::int16_t again = 0;
    document->OpenFile(path.string(), again, "Input");
    EXPECT_EQ(again, 1);
    document->CloseFile(again);
    document->CloseFile(second);
    document->CloseFile(42);                     // not open: nothing happens
    EXPECT_FALSE(fs::exists(folder / "b.vrn"));  // opening for output writes nothing
}

TEST_F(OpenFileTest, SaveWritesTheFileThroughATemporaryAndClearsJustLocked) {
    const auto document = NewDocument(1, true);
    document->justlocked = true;
    const fs::path path = folder / "fresh.vrn";
    WriteBytes(path, "an older file");
    SaveTo(*document, path);
    EXPECT_EQ(ReadBytes(path), ReadBytes(DataFile("fresh.vrn")));
    EXPECT_FALSE(document->justlocked);
    EXPECT_EQ(FolderContents(), std::vector<fs::path>{"fresh.vrn"});
}

TEST_F(OpenFileTest, AFailedSaveLeavesTheOldFileAndReportsIt) {
    const auto document = RichDocument();
    document->justlocked = true;
    const fs::path path = folder / "kept.vrn";
    WriteBytes(path, "the old file");

    std::int16_t file = 0;
    document->OpenFile(path.string(), file, "Output");
    // The file system refuses anything beyond 4 KB, as a full disk would.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    std::string title;
    const std::string error = ErrorOf([&] { document->Save(file, false); }, &title);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    document->CloseFile(file);

    EXPECT_EQ(error.rfind("Saving '" + path.string() + "' failed: ", 0), 0u) << error;
    EXPECT_NE(error.find(std::strerror(EFBIG)), std::string::npos) << error;  // the reason
    EXPECT_NE(error.find("The file on disk was not changed."), std::string::npos) << error;
    EXPECT_EQ(title, "Can't perform save");
    EXPECT_EQ(ReadBytes(path), "the old file");
    EXPECT_EQ(FolderContents(), std::vector<fs::path>{"kept.vrn"});
    EXPECT_TRUE(document->justlocked);
}

TEST_F(OpenFileTest, FilesThatCannotBeOpenedAreReported) {
    const auto document = NewDocument(1);
    std::int16_t file = 0;
    std::string title;
    const fs::path missing = folder / "missing.vrn";
    EXPECT_EQ(ErrorOf([&] { document->OpenFile(missing.string(), file, "Input"); }, &title),
              "The file '" + missing.string() + "' cannot be read: No such file or directory.");
    EXPECT_EQ(title, "Can't perform load");
    EXPECT_NE(ErrorOf([&] { document->OpenFile(folder.string(), file, "Input"); }, &title), "");
    const fs::path nowhere = folder / "no folder" / "new.vrn";
    EXPECT_NE(ErrorOf([&] { document->OpenFile(nowhere.string(), file, "Output"); }, &title)
                  .find("cannot be saved"),
              std::string::npos);
    EXPECT_EQ(title, "Can't perform save");
}

TEST_F(OpenFileTest, ReadingAndImportingGoThroughFileNumbers) {
    const auto source = NewDocument(2, true);
    const fs::path path = folder / "source.vrn";
    SaveTo(*source, path);

    const auto document = EmptyDocument();
    std::int16_t file = 0;
    document->OpenFile(path.string(), file, "Input");
    bool directions = true;
    document->Read(file, &window, directions, context());
    document->CloseFile(file);
    EXPECT_EQ(document->Alt_count, 2);
    EXPECT_FALSE(directions);

    document->OpenFile(path.string(), file, "Input");
    document->ImportAlternatives(file);
    document->CloseFile(file);
    EXPECT_EQ(document->Alt_count, 4);
}

TEST_F(OpenFileTest, AFileNumberMustBeOpenForWhatItIsUsedFor) {
    const auto document = NewDocument(1);
    const fs::path path = folder / "out.vrn";
    std::int16_t output = 0;
    document->OpenFile(path.string(), output, "Output");
    bool directions = false;
    std::string title;
    EXPECT_EQ(ErrorOf([&] { document->Read(output, &window, directions, context()); }, &title),
              "Reading failed: file number 1 is not open for reading: Bad file descriptor.");
    EXPECT_EQ(title, "Can't perform load");
    EXPECT_EQ(ErrorOf([&] { document->Save(7, false); }, &title),
              "Saving failed: file number 7 is not open for writing: Bad file descriptor.");
    EXPECT_EQ(title, "Can't perform save");
    EXPECT_NE(ErrorOf([&] { document->ImportAlternatives(output); }, &title), "");
    EXPECT_EQ(title, "Can't perform import.");
}

}  // namespace
}  // namespace vrn::testing
