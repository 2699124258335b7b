#include "model/file/safe_save_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "model/file/fnv1a_hash.h"

namespace vrn {

namespace {

namespace fs = std::filesystem;

// Writers that finish one after the other can each remove the temporary file of the one before;
// past this many retries in one open the target counts as busy.
constexpr int kLockAttempts = 8;
// As many links as the system itself follows in one path before it gives up (ELOOP).
constexpr int kMaxLinks = 40;
// The names a temporary file of one target may take, tried in order: a name something else
// holds that cannot be removed is stepped around, the same way by every writer of the target.
// One digit each, so that the names of different targets cannot meet (TemporaryName).
constexpr int kTemporaryNames = 4;
static_assert(kTemporaryNames <= 10);
// The longest file name a folder holds.
constexpr std::size_t kNameMax = NAME_MAX;
// The temporary file of a target that exists is created for its owner alone, so that it is never
// more open than the target; that of a new file with what the umask or the folder's default
// access list leave of a new file's mode.
constexpr mode_t kPrivateMode = 0600;
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kAccessBits = 0777;
constexpr int kHexDigits = 16;
constexpr int kBitsPerHexDigit = 4;

// A file's access list, as the system keeps it in an extended attribute: a version, then
// entries of a tag, permissions and an id, little-endian.
constexpr const char* kAccessListAttribute = "system.posix_acl_access";
constexpr char kAccessListVersion = 2;
constexpr std::size_t kAccessListHeader = 4;
constexpr std::size_t kAccessListEntry = 8;
constexpr std::size_t kEntryPermissions = 2;  // where in an entry its permissions are
constexpr char kOwningGroupTag = 0x04;
// A list that changes between learning its size and reading it is read again, this often.
constexpr int kAccessListReads = 4;

[[noreturn]] void ThrowErrno(int error, const std::string& what) {
    throw std::system_error(error, std::generic_category(), what);
}

std::string Quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

fs::path FolderOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

// The file that `target` names: each link is followed, a relative one from its own folder, to the
// file at the end of the chain, which need not exist yet.
fs::path Resolved(const fs::path& target) {
    fs::path path = target;
    for (int links = 0;; ++links) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) {
            if (links == 0) {
                return target;
            }
            const fs::path clean = fs::weakly_canonical(path, error);
            return error ? path : clean;
        }
        if (links == kMaxLinks) {
            ThrowErrno(ELOOP, "the links from " + Quoted(target) + " cannot be followed");
        }
        const fs::path next = fs::read_symlink(path, error);
        if (error) {
            ThrowErrno(error.value(), "the link " + Quoted(path) + " cannot be read");
        }
        path = next.is_absolute() ? next : FolderOf(path) / next;
    }
}

// The hash of a file name in hex digits, the same in every run and every program.
std::string StableHash(std::string_view bytes) {
    std::uint64_t hash = Fnv1aHash(bytes);
    std::string digits(kHexDigits, '0');
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
        *digit = "0123456789abcdef"[hash & 0xF];
        hash >>= kBitsPerHexDigit;
    }
    return digits;
}

// "." + name + ".partial" for the first temporary name, "." + name + ".partial~N" for the next.
// A name that would pass the system's limit keeps its beginning, cut at a character boundary,
// then ".partial~", a hash of the whole name and "~N". Different targets never share a name
// (a hash collision aside): only first names end in ".partial", only the next in "l~N", only the
// shortened in a hex digit and "~N", and each form's end is of a fixed length.
std::string TemporaryName(const std::string& name, int index) {
    const std::string plain =
        "." + name + ".partial" + (index == 0 ? "" : "~" + std::to_string(index));
    if (plain.size() <= kNameMax) {
        return plain;
    }
    const std::string end = ".partial~" + StableHash(name) + "~" + std::to_string(index);
    std::size_t kept = kNameMax - 1 - end.size();
    while (kept > 0 && (static_cast<unsigned char>(name[kept]) & 0xC0) == 0x80) {
        --kept;  // a UTF-8 continuation byte
    }
    return "." + name.substr(0, kept) + end;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether `path` names the very file open as `fd` (not a file that replaced it).
bool Names(const fs::path& path, int fd) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 && SameFile(held, named);
}

// What a writer leaves when it is killed: a plain file of this user, with no other name.
bool MayBeOwnLeftover(const struct stat& named) {
    return S_ISREG(named.st_mode) && named.st_uid == ::geteuid() && named.st_nlink == 1;
}

// "another user's file", "a named pipe"...: what stands at a temporary name, for messages.
std::string Describe(const struct stat& named) {
    const char* kind = S_ISREG(named.st_mode)    ? "file"
                       : S_ISLNK(named.st_mode)  ? "link"
                       : S_ISFIFO(named.st_mode) ? "named pipe"
                       : S_ISSOCK(named.st_mode) ? "socket"
                       : S_ISDIR(named.st_mode)  ? "folder"
                                                 : "device";
    if (named.st_uid != ::geteuid()) {
        return std::string("another user's ") + kind;
    }
    if (S_ISREG(named.st_mode) && named.st_nlink > 1) {
        return "a file with other names";
    }
    return std::string("a ") + kind;
}

// The regular file `named` found at `path`, opened without writing and locked, so that its name
// can be removed: a file whose lock another program holds is a save under way, and refused.
// Invalid when the file cannot be read (its lock cannot be seen then) or `changed` when it is no
// longer the file at `path`.
Descriptor Locked(const fs::path& path, const struct stat& named, bool& changed) {
    // O_NONBLOCK: should a pipe have taken the name meanwhile, opening it does not wait.
    Descriptor file(
        ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat opened {};
    if (!file.valid()) {
        const int error = errno;
        if (error == ENOENT || error == ELOOP) {
            changed = true;  // removed, or a link took its name
        } else if (error != EACCES) {
            ThrowErrno(error, "cannot open " + Quoted(path));
        }
        return {};
    }
    if (::fstat(file.get(), &opened) != 0 || !SameFile(opened, named)) {
        changed = true;
        return {};
    }
    if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ThrowErrno(error == EWOULDBLOCK ? EBUSY : error, "another program is writing this file");
    }
    changed = !Names(path, file.get());
    return file;
}

// What was found at a temporary name that could not be created.
struct Obstacle {
    bool inTheWay = false;  // it stays and cannot be removed; else the name may be tried again
    int error = 0;
    std::string what;
};

Obstacle InTheWay(const struct stat& named, const fs::path& path, int error) {
    return {true, error,
            Describe(named) + " " + Quoted(path) + " is in the way and cannot be removed"};
}

// Removes what holds a temporary name, unless it is a save under way (EBUSY) or a file whose
// lock cannot be seen, which may be one. Removing a name never changes the file it named,
// whatever that is: a hard link, a pipe, another user's file.
Obstacle Clear(const fs::path& path) {
    struct stat named {};
    if (::lstat(path.c_str(), &named) != 0) {
        const int error = errno;
        if (error == ENOENT) {
            return {};
        }
        ThrowErrno(error, "cannot look at " + Quoted(path));
    }
    Descriptor held;  // locked while its name goes, so that no writer is under way in it
    if (S_ISREG(named.st_mode)) {
        bool changed = false;
        held = Locked(path, named, changed);
        if (changed) {
            return {};
        }
        if (!held.valid()) {
            return InTheWay(named, path, EACCES);
        }
    }
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) {
        return {};
    }
    const int error = errno;
    if (error != EACCES && error != EPERM && error != EISDIR) {
        ThrowErrno(error, "cannot remove " + Quoted(path));
    }
    return InTheWay(named, path, error);
}

// Removes a file an interrupted write of this user left at `path`, if there is one.
void RemoveLeftover(const fs::path& path) {
    struct stat named {};
    bool changed = false;
    if (::lstat(path.c_str(), &named) == 0 && MayBeOwnLeftover(named)) {
        try {
            const Descriptor held = Locked(path, named, changed);
            if (held.valid() && !changed) {
                ::unlink(path.c_str());
            }
        } catch (const std::system_error&) {
            // a writer under way holds it
        }
    }
}

// Whether there is a file at `path`; one that cannot be looked at counts as there.
bool Exists(const fs::path& path) {
    struct stat named {};
    return ::stat(path.c_str(), &named) == 0 || errno != ENOENT;
}

// An access list read by `read`, as getxattr reads: empty when the file has none or its file
// system keeps none; nullopt when it cannot be read.
std::optional<std::string> ReadAccessList(const std::function<ssize_t(char*, std::size_t)>& read) {
    for (int attempt = 0; attempt < kAccessListReads; ++attempt) {
        const ssize_t size = read(nullptr, 0);
        if (size >= 0) {
            std::string list(static_cast<std::size_t>(size), '\0');
            const ssize_t got = read(list.data(), list.size());
            if (got >= 0) {
                list.resize(static_cast<std::size_t>(got));
                return list;
            }
        }
        if (errno == ENODATA || errno == ENOTSUP) {
            return std::string();
        }
        if (errno != ERANGE) {  // ERANGE: it grew in between
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<std::string> AccessListOf(const fs::path& path) {
    return ReadAccessList([&path](char* into, std::size_t size) {
        return ::getxattr(path.c_str(), kAccessListAttribute, into, size);
    });
}

std::optional<std::string> AccessListOf(int fd) {
    return ReadAccessList([fd](char* into, std::size_t size) {
        return ::fgetxattr(fd, kAccessListAttribute, into, size);
    });
}

// Gives the file open as `fd` the access list `list`, or takes away the one a folder's default
// gave it when `list` is empty; false when that cannot be done.
bool PutAccessList(int fd, const std::string& list) {
    if (list.empty()) {
        return ::fremovexattr(fd, kAccessListAttribute) == 0 || errno == ENODATA ||
               errno == ENOTSUP;
    }
    return ::fsetxattr(fd, kAccessListAttribute, list.data(), list.size(), 0) == 0;
}

// Takes the owning group's permissions out of `list`; false when it is not a list of a layout
// known here.
bool WithoutOwningGroup(std::string& list) {
    if (list.empty()) {
        return true;
    }
    if (list.size() < kAccessListHeader ||
        (list.size() - kAccessListHeader) % kAccessListEntry != 0 ||
        list.compare(0, kAccessListHeader, std::string{kAccessListVersion, 0, 0, 0}) != 0) {
        return false;
    }
    for (std::size_t at = kAccessListHeader; at < list.size(); at += kAccessListEntry) {
        if (list[at] == kOwningGroupTag && list[at + 1] == 0) {
            list[at + kEntryPermissions] = 0;
            list[at + kEntryPermissions + 1] = 0;
        }
    }
    return true;
}

// Gives the file open as `fd` the group `group`; false when it cannot, its owner not being in
// that group.
bool KeepGroup(int fd, gid_t group) {
    struct stat given {};
    if (::fstat(fd, &given) == 0 && given.st_gid == group) {
        return true;
    }
    return ::fchown(fd, static_cast<uid_t>(-1), group) == 0;
}

// Best effort: makes the rename itself durable.
void SyncFolder(const fs::path& folder) {
    const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) {
        ::fsync(fd.get());
    }
}

// CheckWritable of a target whose links are followed already.
void CheckWritableFile(const fs::path& target) {
    const fs::path folder = FolderOf(target);
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        ThrowErrno(ENOENT, "the folder " + Quoted(folder) + " does not exist");
    }
    const fs::file_status status = fs::status(target, error);
    if (fs::is_directory(status)) {
        ThrowErrno(EISDIR, "it is a folder");
    }
    if (fs::exists(status) && ::access(target.c_str(), W_OK) != 0) {
        ThrowErrno(errno, "the file cannot be written");
    }
    if (::access(folder.c_str(), W_OK) != 0) {
        const int denied = errno;
        ThrowErrno(denied, "the folder " + Quoted(folder) + " cannot be written");
    }
}

// TemporaryPathsFor a target whose links are followed already.
std::vector<fs::path> TemporaryPathsBeside(const fs::path& target) {
    std::vector<fs::path> paths;
    for (int index = 0; index < kTemporaryNames; ++index) {
        paths.push_back(FolderOf(target) / TemporaryName(target.filename().string(), index));
    }
    return paths;
}

}  // namespace

void SafeSaveFile::CheckWritable(const fs::path& requested) {
    CheckWritableFile(Resolved(requested));
}

std::vector<fs::path> SafeSaveFile::TemporaryPathsFor(const fs::path& requested) {
    return TemporaryPathsBeside(Resolved(requested));
}

fs::path SafeSaveFile::TemporaryPathFor(const fs::path& requested) {
    return TemporaryPathsFor(requested).front();
}

SafeSaveFile::SafeSaveFile(const fs::path& requested, const BeforeLock& beforeLock)
    : target_(Resolved(requested)) {
    CheckWritableFile(target_);
    OpenLocked(beforeLock);
    try {
        GiveAccess();
    } catch (...) {
        RemoveTemporary();
        throw;
    }
}

// Each writer creates its temporary file anew, so it never writes into a file that something
// else left there. The lock is taken on the file created, but another writer may remove it in
// between, taking it for an interrupted write's: the lock counts only while the temporary path
// still names the locked file, else a new one is created.
void SafeSaveFile::OpenLocked(const BeforeLock& beforeLock) {
    const std::vector<fs::path> names = TemporaryPathsBeside(target_);
    Obstacle first;
    std::size_t index = 0;
    for (int attempt = 0; attempt < kLockAttempts;) {
        temporary_ = names[index];
        // Read and write: the written bytes are read back from the file itself.
        fd_.reset(::open(temporary_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                         Exists(target_) ? kPrivateMode : kNewFileMode));
        if (!fd_.valid()) {
            const int error = errno;
            if (error != EEXIST) {
                ThrowErrno(error, "cannot create a temporary file in " + Quoted(FolderOf(target_)));
            }
            Obstacle obstacle = Clear(temporary_);
            if (!obstacle.inTheWay) {
                ++attempt;
                continue;
            }
            if (index == 0) {
                first = std::move(obstacle);  // the one to name should every name be taken
            }
            if (++index == names.size()) {
                ThrowErrno(first.error, first.what);
            }
            continue;
        }
        if (beforeLock) {
            beforeLock();
        }
        if (::flock(fd_.get(), LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            if (error == EWOULDBLOCK) {
                fd_.reset();  // another writer took it for a leftover and removes it
            } else {
                RemoveTemporary();
            }
            ThrowErrno(error == EWOULDBLOCK ? EBUSY : error,
                       "another program is writing this file");
        }
        if (Names(temporary_, fd_.get())) {
            for (std::size_t later = index + 1; later < names.size(); ++later) {
                RemoveLeftover(names[later]);
            }
            return;
        }
        ++attempt;
    }
    fd_.reset();
    ThrowErrno(EBUSY, "another program is writing this file");
}

// A file that is replaced keeps its group, access list and permissions, given in this order: a
// change of group may take the set-group-ID bit away, an access list sets the group permissions
// from its mask, and permissions set after the list change only its mask. Where the group cannot
// be kept, the file's own group gets no permission; where the list cannot be copied, neither
// group nor others get any. A new file keeps what it was created with: what the umask or the
// folder's default access list leave of a new file's mode (private, should its target go
// meanwhile).
void SafeSaveFile::GiveAccess() const {
    struct stat old {};
    if (::stat(target_.c_str(), &old) != 0) {
        return;
    }
    mode_t wanted = old.st_mode & kPermissionBits;
    const bool groupKept = KeepGroup(fd_.get(), old.st_gid);
    std::optional<std::string> list = AccessListOf(target_);
    if (list && !groupKept && !WithoutOwningGroup(*list)) {
        list.reset();
    }
    const bool listCopied = list && PutAccessList(fd_.get(), *list);
    if (!listCopied) {
        wanted &= ~(S_IRWXG | S_IRWXO);
    } else if (!groupKept && list->empty()) {
        wanted &= ~S_IRWXG;
    }
    if (::fchmod(fd_.get(), wanted) != 0) {
        const int error = errno;
        ThrowErrno(error, "cannot give the temporary file " + Quoted(temporary_) +
                              " the permissions of " + Quoted(target_));
    }
    struct stat given {};
    if (::fstat(fd_.get(), &given) != 0) {
        const int error = errno;
        ThrowErrno(error, "cannot look at the temporary file " + Quoted(temporary_));
    }
    const auto notTaken = [this](const std::string& what) {
        ThrowErrno(EPERM, "the temporary file " + Quoted(temporary_) + " did not take the " + what +
                              " of " + Quoted(target_));
    };
    if ((given.st_mode & kAccessBits) != (wanted & kAccessBits)) {
        notTaken("permissions");
    }
    if (groupKept && given.st_gid != old.st_gid) {
        notTaken("group");
    }
    if (listCopied && AccessListOf(fd_.get()) != list) {
        notTaken("access list");
    }
}

bool SafeSaveFile::HoldsTemporary() const {
    return fd_.valid() && Names(temporary_, fd_.get());
}

// Removed while still locked, and only while the path names this writer's own file, so no other
// writer's file is removed.
void SafeSaveFile::RemoveTemporary() {
    if (HoldsTemporary()) {
        ::unlink(temporary_.c_str());
    }
    fd_.reset();
}

SafeSaveFile::~SafeSaveFile() {
    if (!committed_) {
        RemoveTemporary();
    }
}

void SafeSaveFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_.get(), bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowErrno(errno, "writing failed");
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

std::size_t SafeSaveFile::ReadBack(std::uint64_t offset, std::span<char> into) const {
    for (;;) {
        const ssize_t got =
            ::pread(fd_.get(), into.data(), into.size(), static_cast<off_t>(offset));
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            ThrowErrno(errno, "the written file cannot be read back");
        }
    }
}

std::uint64_t SafeSaveFile::WrittenSize() const {
    struct stat written {};
    if (::fstat(fd_.get(), &written) != 0) {
        ThrowErrno(errno, "the written file cannot be looked at");
    }
    return static_cast<std::uint64_t>(written.st_size);
}

void SafeSaveFile::Commit() {
    if (::fsync(fd_.get()) != 0) {
        ThrowErrno(errno, "writing to disk failed");
    }
    // Only this writer's own file may replace the target; a program that ignores the lock may
    // have put another in its place.
    if (!HoldsTemporary()) {
        ThrowErrno(EBUSY, "another program replaced the temporary file " + Quoted(temporary_));
    }
    // Renamed while still locked, then closed: the lock never leaves a file that another
    // writer could take over half-renamed.
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        ThrowErrno(errno, "the file cannot be replaced");
    }
    committed_ = true;
    fd_.reset();  // the bytes are on disk already (fsync above)
    SyncFolder(FolderOf(target_));
}

}  // namespace vrn
