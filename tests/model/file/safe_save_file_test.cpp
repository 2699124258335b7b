#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include "model/file/safe_save_file.h"
#include "tests/model/file/file_fixture.h"

namespace vrn::testing {
namespace {

namespace fs = std::filesystem;

class SafeSaveFileTest : public FileFixture {
protected:
    // Everything in the folder but `keep`.
    std::vector<fs::path> LeftOver(const fs::path& keep) const {
        std::vector<fs::path> others;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path() != keep) {
                others.push_back(entry.path());
            }
        }
        return others;
    }
};

TEST_F(SafeSaveFileTest, CommitReplacesTheTargetAndKeepsItsPermissions) {
    const fs::path target = folder / "matrix.vrn";
    WriteBytes(target, "old");
    ::chmod(target.c_str(), 0640);
    {
        SafeSaveFile file(target);
        file.Write("new ");
        EXPECT_EQ(ReadBytes(target), "old");  // untouched until the commit
        file.Write("contents");
        file.Commit();
    }
    EXPECT_EQ(ReadBytes(target), "new contents");
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_TRUE(LeftOver(target).empty());
}

TEST_F(SafeSaveFileTest, WithoutCommitTheOldFileStaysAndNoTemporaryRemains) {
    const fs::path target = folder / "matrix.vrn";
    WriteBytes(target, "old");
    {
        SafeSaveFile file(target);
        file.Write("half a document");
    }
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_TRUE(LeftOver(target).empty());
}

TEST_F(SafeSaveFileTest, AFileLeftByAnInterruptedWriteIsTakenOverByTheNextWrite) {
    const fs::path target = folder / "matrix.vrn";
    WriteBytes(target, "old");
    const fs::path left = SafeSaveFile::TemporaryPathFor(target);
    EXPECT_EQ(left.parent_path(), folder);
    WriteBytes(left, std::string(4096, 'x'));  // what a killed writer leaves
    {
        SafeSaveFile file(target);
        EXPECT_EQ(file.temporary(), left);
        file.Write("new");
        file.Commit();
    }
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_TRUE(LeftOver(target).empty());
}

TEST_F(SafeSaveFileTest, ASecondWriterOfTheSameTargetIsRefusedAndTheFirstGoesOn) {
    const fs::path target = folder / "matrix.vrn";
    SafeSaveFile first(target);
    first.Write("first");
    try {
        SafeSaveFile second(target);
        FAIL() << "a second writer was let in";
    } catch (const std::system_error& error) {
        EXPECT_EQ(error.code().value(), EBUSY);
    }
    first.Commit();
    EXPECT_EQ(ReadBytes(target), "first");
    EXPECT_TRUE(LeftOver(target).empty());
}

TEST_F(SafeSaveFileTest, ALinkIsWrittenThrough) {
    const fs::path real = folder / "real.vrn";
    const fs::path link = folder / "link.vrn";
    WriteBytes(real, "old");
    fs::create_symlink(real, link);
    SafeSaveFile file(link);
    file.Write("new");
    file.Commit();
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), "new");
}

TEST_F(SafeSaveFileTest, RefusesTargetsThatCannotBeSaved) {
    EXPECT_THROW(SafeSaveFile{folder / "missing" / "matrix.vrn"}, std::system_error);
    EXPECT_THROW(SafeSaveFile{folder}, std::system_error);
    if (::geteuid() != 0) {  // root may write anything
        const fs::path target = folder / "readonly.vrn";
        WriteBytes(target, "old");
        ::chmod(target.c_str(), 0444);
        EXPECT_THROW(SafeSaveFile{target}, std::system_error);
        EXPECT_EQ(ReadBytes(target), "old");
    }
}

}  // namespace
}  // namespace vrn::testing
