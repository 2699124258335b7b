#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "model/file/descriptor.h"
#include "model/file/safe_save_file.h"
#include "tests/model/file/file_fixture.h"
#include "tests/support/child_process.h"

namespace vrn::testing {
namespace {

namespace fs = std::filesystem;

// The user the other user's side of a test runs as.
constexpr uid_t kNobody = 65534;
// The exit status of a child that could not become that user.
constexpr int kCannotSwitchUser = 3;

// What makes a file that one: where it is on the disk, and what it holds.
struct Identity {
    ino_t inode = 0;
    std::string bytes;
    bool operator==(const Identity&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Identity& file) {
        return out << "inode " << file.inode << " holding \"" << file.bytes << "\"";
    }
};

Identity IdentityOf(const fs::path& path) {
    struct stat status {};
    EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
    return {status.st_ino, ReadBytes(path)};
}

mode_t ModeOf(const fs::path& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

// Saves `bytes` to `target`: "saved", or the refusal's code and text.
std::string Save(const fs::path& target, const std::string& bytes) {
    try {
        SafeSaveFile file(target);
        file.Write(bytes);
        file.Commit();
        return "saved";
    } catch (const std::system_error& error) {
        return std::to_string(error.code().value()) + " " + error.what();
    }
}

// The process's umask while it lives.
class Umask {
public:
    explicit Umask(mode_t mask) : old_(::umask(mask)) {}
    ~Umask() { ::umask(old_); }
    Umask(const Umask&) = delete;
    Umask& operator=(const Umask&) = delete;

private:
    mode_t old_;
};

// Runs Save in a child process as another user than the test's; nullopt when it cannot switch.
std::optional<std::string> SaveAsNobody(const fs::path& target, const std::string& bytes) {
    ChildProcess child(
        [&] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
                return kCannotSwitchUser;
            }
            const std::string result = Save(target, bytes);
            const bool told = ::write(STDOUT_FILENO, result.data(), result.size()) ==
                              static_cast<ssize_t>(result.size());
            return told ? 0 : 1;
        },
        {.captureOutput = true});
    const std::string result = child.readAll();
    const int status = child.wait().exitStatus;
    if (status == kCannotSwitchUser) {
        return std::nullopt;
    }
    EXPECT_EQ(status, 0) << result;
    return result;
}

using SafeSaveTemporaryTest = FileFixture;

// Something that is not a save of this target, put at its temporary name, leading to or standing
// for `other`, a file elsewhere that must stay as it is.
struct InTheWay {
    const char* name;
    std::function<void(const fs::path& temporary, const fs::path& other)> put;
};

TEST_F(SafeSaveTemporaryTest, WhatIsAtTheTemporaryNameIsNeverWrittenThrough) {
    const std::vector<InTheWay> cases = {
        // A folder holding a killed save's leftover copied with its files hard-linked: the
        // original folder's file, saved since, is the leftover in the copy.
        {"a hard link to a file saved elsewhere",
         [](const fs::path& temporary, const fs::path& other) {
             fs::create_hard_link(other, temporary);
         }},
        {"a link to another file",
         [](const fs::path& temporary, const fs::path& other) {
             fs::create_symlink(other, temporary);
         }},
        {"a link to where no file is",
         [](const fs::path& temporary, const fs::path& other) {
             fs::create_symlink(other.parent_path() / "none", temporary);
         }},
        {"a named pipe", [](const fs::path& temporary,
                            const fs::path&) { ASSERT_EQ(::mkfifo(temporary.c_str(), 0600), 0); }},
    };
    for (const InTheWay& test : cases) {
        SCOPED_TRACE(test.name);
        fs::remove_all(folder);
        fs::create_directories(folder / "here");
        fs::create_directories(folder / "elsewhere");
        const fs::path target = folder / "here" / "matrix.vrn";
        const fs::path other = folder / "elsewhere" / "matrix.vrn";
        WriteBytes(target, "old");
        WriteBytes(other, "saved elsewhere");
        const Identity before = IdentityOf(other);
        const fs::path temporary = SafeSaveFile::TemporaryPathFor(target);
        test.put(temporary, other);
        // A pipe's reader, so that a save that opens the pipe fails instead of waiting for one.
        const Descriptor reader(
            fs::is_fifo(temporary) ? ::open(temporary.c_str(), O_RDONLY | O_NONBLOCK) : -1);

        EXPECT_EQ(Save(target, "new"), "saved");
        EXPECT_EQ(ReadBytes(target), "new");
        EXPECT_EQ(IdentityOf(other), before);
        EXPECT_EQ(FolderContents(folder / "elsewhere"), std::vector<fs::path>{"matrix.vrn"});
        EXPECT_EQ(FolderContents(folder / "here"), std::vector<fs::path>{"matrix.vrn"});
        if (reader.valid()) {
            char byte = 0;
            EXPECT_LE(::read(reader.get(), &byte, 1), 0) << "the save wrote into the pipe";
        }
    }
}

TEST_F(SafeSaveTemporaryTest, WhatCannotBeRemovedIsSteppedAroundTheSameWayByEveryWriter) {
    const fs::path target = folder / "matrix.vrn";
    WriteBytes(target, "old");
    const std::vector<fs::path> names = SafeSaveFile::TemporaryPathsFor(target);
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names.front(), SafeSaveFile::TemporaryPathFor(target));
    fs::create_directories(names[0] / "inside");
    {
        SafeSaveFile first(target);
        EXPECT_EQ(first.temporary(), names[1]);
        first.Write("first");
        EXPECT_EQ(Save(target, "second").substr(0, 3), std::to_string(EBUSY) + " ");
        first.Commit();
    }
    EXPECT_EQ(ReadBytes(target), "first");
    EXPECT_TRUE(fs::exists(names[0] / "inside"));

    // What a killed save left at the next name goes with the next save, blocked or not.
    WriteBytes(names[1], "killed");
    EXPECT_EQ(Save(target, "second"), "saved");
    EXPECT_FALSE(fs::exists(names[1]));
    fs::remove_all(names[0]);
    WriteBytes(names[1], "killed");
    EXPECT_EQ(Save(target, "third"), "saved");
    EXPECT_EQ(FolderContents(), std::vector<fs::path>{"matrix.vrn"});

    for (const fs::path& name : names) {
        fs::create_directories(name / "inside");
    }
    const std::string refusal = Save(target, "fourth");
    EXPECT_NE(refusal.find("a folder '" + names[0].string() + "' is in the way"), std::string::npos)
        << refusal;
    EXPECT_EQ(ReadBytes(target), "third");
}

// The permissions of the target, if it exists, the umask, and those the saved file gets.
struct ModeCase {
    const char* name;
    std::optional<mode_t> target;
    mode_t umask;
    mode_t saved;
};

TEST_F(SafeSaveTemporaryTest, TheTemporaryFileIsNeverMoreOpenThanTheTarget) {
    const std::vector<ModeCase> cases = {
        {"a private target", 0600, 022, 0600},
        {"a target its group reads", 0640, 077, 0640},
        {"a target everyone reads", 0644, 077, 0644},
        {"a new file", std::nullopt, 022, 0644},
        {"a new file under a private umask", std::nullopt, 077, 0600},
    };
    for (const ModeCase& test : cases) {
        SCOPED_TRACE(test.name);
        const Umask mask(test.umask);
        const fs::path target = folder / "matrix.vrn";
        fs::remove(target);
        if (test.target) {
            WriteBytes(target, "old");
            ASSERT_EQ(::chmod(target.c_str(), *test.target), 0);
        }
        const mode_t allowed = test.target.value_or(0600);
        const fs::path temporary = SafeSaveFile::TemporaryPathFor(target);
        SafeSaveFile file(target, [&] {
            EXPECT_EQ(ModeOf(temporary) & ~allowed, 0u) << std::oct << ModeOf(temporary);
        });
        EXPECT_EQ(ModeOf(temporary), test.saved);
        file.Write("new");
        file.Commit();
        EXPECT_EQ(ModeOf(target), test.saved);
    }
}

// A file name, and whether its temporary name is shortened.
struct LongName {
    const char* name;
    std::string file;
    bool shortened;
};

std::string Repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

TEST_F(SafeSaveTemporaryTest, NamesUpToTheLongestTheFolderHoldsSave) {
    const std::vector<LongName> cases = {
        {"a name whose temporary name just fits", std::string(246, 'a'), false},
        {"one byte longer", std::string(247, 'a'), true},
        {"the longest name", std::string(255, 'a'), true},
        {"the longest name in two-byte characters", "b" + Repeated("\xC3\xA9", 127), true},
    };
    for (const LongName& test : cases) {
        SCOPED_TRACE(test.name);
        fs::remove_all(folder);
        fs::create_directories(folder);
        const fs::path target = folder / test.file;
        WriteBytes(target, "old");
        const fs::path temporary = SafeSaveFile::TemporaryPathFor(target);
        const std::string shown = temporary.filename().string();
        ASSERT_LE(shown.size(), 255u);
        if (test.shortened) {
            // The name's beginning, cut between two characters.
            const std::string kept = shown.substr(1, shown.rfind('~') - 1);
            EXPECT_TRUE(test.file.starts_with(kept)) << shown;
            EXPECT_NE(static_cast<unsigned char>(test.file[kept.size()]) & 0xC0, 0x80) << shown;
        } else {
            EXPECT_EQ(shown, "." + test.file + ".partial");
        }
        // Another target of the same beginning is saved at the same time.
        const fs::path neighbour = folder / (test.file.substr(0, test.file.size() - 2) + "zz");
        EXPECT_NE(SafeSaveFile::TemporaryPathFor(neighbour), temporary);
        SafeSaveFile saving(target);
        EXPECT_EQ(Save(neighbour, "neighbour"), "saved");
        saving.Write("first");
        saving.Commit();
        // What a killed save left goes with the next save.
        WriteBytes(temporary, "killed");
        EXPECT_EQ(Save(target, "new"), "saved");
        EXPECT_EQ(ReadBytes(target), "new");
        EXPECT_EQ(ReadBytes(neighbour), "neighbour");
        EXPECT_EQ(FolderContents().size(), 2u);
    }
}

// Another user's file at the temporary name, the folder it is in, and what a save does then.
struct OtherUsersFile {
    const char* name;
    mode_t folder;
    mode_t file;
    bool everyName;    // at each of the target's temporary names, not only the first
    bool locked;       // its user holds its lock: a save under way
    const char* told;  // how a refusal begins: its code and text; empty when it saves
    bool stays;
};

TEST_F(SafeSaveTemporaryTest, AnotherUsersFileIsRemovedSteppedAroundOrNamedAsTheReason) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can act as a second user (" << kNobody << ")";
    }
    const std::string busy = std::to_string(EBUSY) + " another program is writing this file";
    const std::string kept = std::to_string(EPERM) + " another user's file '" +
                             SafeSaveFile::TemporaryPathFor(folder / "matrix.vrn").string() +
                             "' is in the way and cannot be removed";
    const std::vector<OtherUsersFile> cases = {
        {"a leftover in a folder the group shares", 0777, 0644, false, false, "", false},
        {"a private file in a folder that keeps each user's files", 01777, 0600, false, false, "",
         true},
        {"a save of that user under way", 0777, 0644, false, true, busy.c_str(), true},
        {"files at every temporary name in a folder that keeps each user's files", 01777, 0644,
         true, false, kept.c_str(), true},
    };
    for (const OtherUsersFile& test : cases) {
        SCOPED_TRACE(test.name);
        fs::remove_all(folder);
        fs::create_directories(folder);
        ASSERT_EQ(::chmod(folder.c_str(), test.folder), 0);
        const fs::path target = folder / "matrix.vrn";
        std::vector<fs::path> theirs = SafeSaveFile::TemporaryPathsFor(target);
        theirs.resize(test.everyName ? theirs.size() : 1);
        std::vector<Identity> before;
        for (const fs::path& name : theirs) {
            WriteBytes(name, "another user's");
            ASSERT_EQ(::chmod(name.c_str(), test.file), 0);
            before.push_back(IdentityOf(name));
        }
        const Descriptor lock(::open(theirs[0].c_str(), O_RDONLY));
        ASSERT_TRUE(lock.valid());
        if (test.locked) {
            ASSERT_EQ(::flock(lock.get(), LOCK_EX), 0);
        }

        const std::optional<std::string> result = SaveAsNobody(target, "new");
        if (!result) {
            GTEST_SKIP() << "this system does not let root become user " << kNobody;
        }
        const std::string told = test.told;
        if (told.empty()) {
            EXPECT_EQ(*result, "saved");
            EXPECT_EQ(ReadBytes(target), "new");
        } else {
            EXPECT_TRUE(result->starts_with(told)) << *result;
            EXPECT_FALSE(fs::exists(target));
        }
        EXPECT_EQ(FolderContents().size(),
                  (told.empty() ? 1 : 0) + (test.stays ? theirs.size() : 0));
        for (std::size_t i = 0; test.stays && i < theirs.size(); ++i) {
            EXPECT_EQ(IdentityOf(theirs[i]), before[i]);
        }
    }
}

}  // namespace
}  // namespace vrn::testing
