#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "model/file/safe_save_file.h"
#include "tests/model/file/file_fixture.h"
#include "tests/model/file/save_in_child.h"

// Who may read and write a file after a save: no one who could not before.

namespace vrn::testing {
namespace {

namespace fs = std::filesystem;

// A group a shared file belongs to, and a colleague its access list names.
constexpr gid_t kTeam = 4321;
constexpr uid_t kColleague = 4322;

// One entry of an access list as the system keeps it in a file's extended attribute.
struct AclEntry {
    std::uint16_t tag;
    std::uint16_t permissions;
    std::uint32_t id = kNoId;

    static constexpr std::uint16_t kOwner = 0x01;
    static constexpr std::uint16_t kUser = 0x02;
    static constexpr std::uint16_t kOwningGroup = 0x04;
    static constexpr std::uint16_t kMask = 0x10;
    static constexpr std::uint16_t kOthers = 0x20;
    static constexpr std::uint32_t kNoId = 0xFFFFFFFF;

    bool operator==(const AclEntry&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const AclEntry& entry) {
        return out << "{tag " << entry.tag << ", permissions " << entry.permissions << ", id "
                   << entry.id << "}";
    }
};

using AccessList = std::vector<AclEntry>;

constexpr const char* kAccessAttribute = "system.posix_acl_access";
constexpr const char* kDefaultAttribute = "system.posix_acl_default";
constexpr std::uint32_t kAclVersion = 2;
constexpr std::size_t kAclHeader = 4;
constexpr std::size_t kAclEntrySize = 8;

void PutLittleEndian(std::string& bytes, std::uint32_t value, int size) {
    for (int byte = 0; byte < size; ++byte) {
        bytes.push_back(static_cast<char>((value >> (8 * byte)) & 0xFF));
    }
}

std::uint32_t LittleEndian(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int byte = size - 1; byte >= 0; --byte) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + byte]);
    }
    return value;
}

std::string Encoded(const AccessList& list) {
    std::string bytes;
    PutLittleEndian(bytes, kAclVersion, 4);
    for (const AclEntry& entry : list) {
        PutLittleEndian(bytes, entry.tag, 2);
        PutLittleEndian(bytes, entry.permissions, 2);
        PutLittleEndian(bytes, entry.id, 4);
    }
    return bytes;
}

// The access list of `path`; empty when it has none.
AccessList AccessListOf(const fs::path& path) {
    std::string bytes(1024, '\0');
    const ssize_t size = ::getxattr(path.c_str(), kAccessAttribute, bytes.data(), bytes.size());
    if (size < 0) {
        EXPECT_EQ(errno, ENODATA) << path;
        return {};
    }
    AccessList list;
    for (std::size_t at = kAclHeader; at + kAclEntrySize <= static_cast<std::size_t>(size);
         at += kAclEntrySize) {
        list.push_back({static_cast<std::uint16_t>(LittleEndian(bytes, at, 2)),
                        static_cast<std::uint16_t>(LittleEndian(bytes, at + 2, 2)),
                        LittleEndian(bytes, at + 4, 4)});
    }
    return list;
}

// 0 when `path` took `list` (of a file or, as `attribute`, a folder's default), else errno.
int SetAccessList(const fs::path& path, const AccessList& list,
                  const char* attribute = kAccessAttribute) {
    const std::string bytes = Encoded(list);
    return ::setxattr(path.c_str(), attribute, bytes.data(), bytes.size(), 0) == 0 ? 0 : errno;
}

gid_t GroupOf(const fs::path& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_gid;
}

// The file another user saves, the groups that user is in besides its own, and the file saved.
struct SharedFile {
    const char* name;
    uid_t owner;
    gid_t group;
    mode_t mode;
    AccessList list;
    std::vector<gid_t> saverGroups;
    gid_t savedGroup;
    mode_t savedMode;
    AccessList savedList;
};

using SafeSaveAccessTest = FileFixture;

TEST_F(SafeSaveAccessTest, ASaveByAnotherUserKeepsWhoMayReadAndWriteTheFile) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can act as a second user (" << kNobody << ")";
    }
    const AccessList colleagueReads = {{AclEntry::kOwner, 6},
                                       {AclEntry::kUser, 6, kNobody},
                                       {AclEntry::kUser, 4, kColleague},
                                       {AclEntry::kOwningGroup, 4},
                                       {AclEntry::kMask, 6},
                                       {AclEntry::kOthers, 0}};
    const AccessList ownColleagueReads = {{AclEntry::kOwner, 6},
                                          {AclEntry::kUser, 4, kColleague},
                                          {AclEntry::kOwningGroup, 4},
                                          {AclEntry::kMask, 4},
                                          {AclEntry::kOthers, 0}};
    AccessList ownGroupLeft = ownColleagueReads;
    ownGroupLeft[2].permissions = 0;
    const std::vector<SharedFile> cases = {
        {"a team's file saved by a member", 0, kTeam, 0660, {}, {kTeam}, kTeam, 0660, {}},
        {"a file its list lets a colleague read, saved by a member",
         0,
         kTeam,
         0660,
         colleagueReads,
         {kTeam},
         kTeam,
         0660,
         colleagueReads},
        // The saver cannot give the new file the old group: that group's members lose their
        // access, and the saver's own group gets none.
        {"the saver's own file of a group it has left",
         kNobody,
         kTeam,
         0640,
         {},
         {},
         kNobody,
         0600,
         {}},
        {"the same with a list that lets a colleague read",
         kNobody,
         kTeam,
         0640,
         ownColleagueReads,
         {},
         kNobody,
         0640,
         ownGroupLeft},
    };
    ASSERT_EQ(::chmod(folder.c_str(), 0777), 0);
    for (const SharedFile& test : cases) {
        SCOPED_TRACE(test.name);
        const fs::path target = folder / "matrix.vrn";
        fs::remove(target);
        WriteBytes(target, "old");
        ASSERT_EQ(::chown(target.c_str(), test.owner, test.group), 0);
        ASSERT_EQ(::chmod(target.c_str(), test.mode), 0);
        if (!test.list.empty()) {
            const int error = SetAccessList(target, test.list);
            if (error == ENOTSUP) {
                GTEST_SKIP() << "the file system of " << folder << " keeps no access lists";
            }
            ASSERT_EQ(error, 0);
            ASSERT_EQ(AccessListOf(target), test.list);
        }

        const std::optional<std::string> result =
            InChild([&] { return BecomeUser(kNobody, test.saverGroups); },
                    [&] { return SaveBytes(target, "new"); });
        if (!result) {
            GTEST_SKIP() << "this system does not let root become user " << kNobody;
        }
        EXPECT_EQ(*result, "saved");
        EXPECT_EQ(ReadBytes(target), "new");
        EXPECT_EQ(GroupOf(target), test.savedGroup);
        EXPECT_EQ(ModeOf(target), test.savedMode) << std::oct << ModeOf(target);
        EXPECT_EQ(AccessListOf(target), test.savedList);
    }
}

TEST_F(SafeSaveAccessTest, TheFolderDefaultAccessListGoesToNewFilesOnly) {
    const fs::path old = folder / "old.vrn";
    WriteBytes(old, "old");
    ASSERT_EQ(::chmod(old.c_str(), 0640), 0);
    const AccessList folderDefault = {{AclEntry::kOwner, 7},
                                      {AclEntry::kUser, 6, kColleague},
                                      {AclEntry::kOwningGroup, 5},
                                      {AclEntry::kMask, 7},
                                      {AclEntry::kOthers, 0}};
    const int error = SetAccessList(folder, folderDefault, kDefaultAttribute);
    if (error == ENOTSUP) {
        GTEST_SKIP() << "the file system of " << folder << " keeps no access lists";
    }
    ASSERT_EQ(error, 0);

    const fs::path target = folder / "new.vrn";
    EXPECT_EQ(SaveBytes(target, "new"), "saved");
    // The folder's default, less what a new file's mode leaves out: execution.
    const AccessList expected = {{AclEntry::kOwner, 6},
                                 {AclEntry::kUser, 6, kColleague},
                                 {AclEntry::kOwningGroup, 5},
                                 {AclEntry::kMask, 6},
                                 {AclEntry::kOthers, 0}};
    EXPECT_EQ(AccessListOf(target), expected);
    EXPECT_EQ(ModeOf(target), 0660u);

    // A file that had no list gets none: the colleague did not read it before.
    EXPECT_EQ(SaveBytes(old, "new"), "saved");
    EXPECT_EQ(AccessListOf(old), AccessList{});
    EXPECT_EQ(ModeOf(old), 0640u);
}

}  // namespace
}  // namespace vrn::testing
