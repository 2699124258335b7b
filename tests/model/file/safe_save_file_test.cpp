#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

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

TEST_F(SafeSaveFileTest, AFilePutInPlaceOfTheTemporaryIsNeitherRenamedNorRemoved) {
    const fs::path target = folder / "matrix.vrn";
    WriteBytes(target, "old");
    {
        SafeSaveFile file(target);
        file.Write("new");
        // A program that ignores the lock puts its own file where the temporary file was.
        WriteBytes(folder / "other", "another program's");
        fs::rename(folder / "other", file.temporary());
        try {
            file.Commit();
            FAIL() << "a file that is not the writer's own replaced the target";
        } catch (const std::system_error& error) {
            EXPECT_EQ(error.code().value(), EBUSY);
        }
    }
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(ReadBytes(SafeSaveFile::TemporaryPathFor(target)), "another program's");
}

// Links, each a name in the test folder and the text it holds ("@" standing for the test folder's
// absolute path), and the name that is written: the file that name leads to must end holding the
// bytes, with every link in place.
struct LinkCase {
    const char* name;
    std::vector<std::pair<fs::path, std::string>> links;
    fs::path written;
    fs::path file;  // what the links lead to
    bool fileExists;
};

TEST_F(SafeSaveFileTest, LinksAreWrittenThroughToTheFileTheyName) {
    const std::vector<LinkCase> cases = {
        {"a link to a file", {{"link.pdf", "@/real.pdf"}}, "link.pdf", "real.pdf", true},
        {"a link to a missing file", {{"link.pdf", "@/real.pdf"}}, "link.pdf", "real.pdf", false},
        {"a relative link, from its own folder",
         {{"sub/link.pdf", "../out/real.pdf"}},
         "sub/link.pdf",
         "out/real.pdf",
         false},
        {"a chain of links",
         {{"first.pdf", "sub/second.pdf"}, {"sub/second.pdf", "../out/real.pdf"}},
         "first.pdf",
         "out/real.pdf",
         false},
    };
    for (const LinkCase& test : cases) {
        SCOPED_TRACE(test.name);
        fs::remove_all(folder);
        fs::create_directories(folder / "sub");
        fs::create_directories(folder / "out");
        for (const auto& [link, to] : test.links) {
            fs::create_symlink(to.starts_with("@/") ? folder / to.substr(2) : fs::path(to),
                               folder / link);
        }
        if (test.fileExists) {
            WriteBytes(folder / test.file, "old");
        }
        SafeSaveFile file(folder / test.written);
        EXPECT_EQ(file.temporary().parent_path(), fs::canonical(folder / test.file.parent_path()));
        file.Write("new");
        file.Commit();
        EXPECT_EQ(ReadBytes(folder / test.file), "new");
        for (const auto& [link, to] : test.links) {
            EXPECT_TRUE(fs::is_symlink(folder / link)) << link;
        }
        EXPECT_FALSE(fs::exists(SafeSaveFile::TemporaryPathFor(folder / test.written)));
    }
}

TEST_F(SafeSaveFileTest, LinksInACircleAreRefusedAndNothingIsWritten) {
    fs::create_symlink("b.pdf", folder / "a.pdf");
    fs::create_symlink("a.pdf", folder / "b.pdf");
    try {
        SafeSaveFile file(folder / "a.pdf");
        FAIL() << "links in a circle were followed";
    } catch (const std::system_error& error) {
        EXPECT_EQ(error.code().value(), ELOOP);
    }
    EXPECT_EQ(FolderContents().size(), 2u);
}

// One writer is paused between opening its temporary file and locking it, while others write
// the same target. Whatever the order, the target ends holding, whole, what the last writer
// that reported success wrote; a writer that was refused says so and removes nothing of others.
struct Interleaving {
    const char* name;
    bool secondFinishes;  // the second writer commits during the pause, else only after it
    bool thirdStarts;     // a third writer opens the target during the pause, to commit after
    bool firstSaved;
    const char* target;  // the last one saved
};

TEST_F(SafeSaveFileTest, WritersPausedBeforeTheLockNeverMixTheirFiles) {
    const std::vector<Interleaving> cases = {
        {"a second writer saves whole during the pause", true, false, true, "first"},
        {"a second writer still writes when the pause ends", false, false, false, "second"},
        {"a second writer saves and a third starts", true, true, false, "third"},
    };
    for (const Interleaving& test : cases) {
        SCOPED_TRACE(test.name);
        const fs::path target = folder / "matrix.vrn";
        WriteBytes(target, "old");
        // The other writers under way, each with what it wrote.
        std::vector<std::pair<std::unique_ptr<SafeSaveFile>, std::string>> pending;
        std::vector<std::string> saved;  // what each writer that reported success wrote, in order
        const auto open = [&](const char* text) {
            pending.emplace_back(std::make_unique<SafeSaveFile>(target), text);
            pending.back().first->Write(text);
        };
        const auto commit = [&](SafeSaveFile& writer, const std::string& text) {
            writer.Commit();
            saved.push_back(text);
        };
        bool paused = false;
        const auto pause = [&] {
            if (std::exchange(paused, true)) {
                return;  // only the first attempt is paused
            }
            open("second");
            if (test.secondFinishes) {
                commit(*pending.back().first, "second");
                pending.clear();
            }
            if (test.thirdStarts) {
                open("third");
            }
        };
        try {
            SafeSaveFile first(target, pause);
            first.Write("first");
            commit(first, "first");
        } catch (const std::system_error& error) {
            EXPECT_EQ(error.code().value(), EBUSY) << error.what();
        }
        EXPECT_TRUE(paused);
        EXPECT_EQ(std::ranges::count(saved, "first") == 1, test.firstSaved);
        for (const auto& [writer, text] : pending) {
            EXPECT_NO_THROW(commit(*writer, text));
        }
        pending.clear();
        ASSERT_FALSE(saved.empty());
        EXPECT_EQ(ReadBytes(target), saved.back());
        EXPECT_EQ(saved.back(), test.target);
        EXPECT_TRUE(LeftOver(target).empty());
    }
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
