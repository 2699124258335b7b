#include "model/file/safe_save_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>
#include <utility>

namespace vrn {

namespace {

namespace fs = std::filesystem;

// Writers that finish one after the other can each take the temporary file over from the one
// before; past this many takeovers in one open the target counts as busy.
constexpr int kLockAttempts = 8;
// As many links as the system itself follows in one path before it gives up (ELOOP).
constexpr int kMaxLinks = 40;

[[noreturn]] void ThrowErrno(int error, const std::string& what) {
    throw std::system_error(error, std::generic_category(), what);
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
            ThrowErrno(ELOOP, "the links from '" + target.string() + "' cannot be followed");
        }
        const fs::path next = fs::read_symlink(path, error);
        if (error) {
            ThrowErrno(error.value(), "the link '" + path.string() + "' cannot be read");
        }
        path = next.is_absolute() ? next : FolderOf(path) / next;
    }
}

// An open file descriptor, closed when it goes unless released.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// Whether `path` names the very file open as `fd` (not a file that replaced it).
bool Names(const fs::path& path, int fd) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

// Best effort: makes the rename itself durable.
void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

void SafeSaveFile::CheckWritable(const fs::path& requested) {
    const fs::path target = Resolved(requested);
    const fs::path folder = FolderOf(target);
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        ThrowErrno(ENOENT, "the folder '" + folder.string() + "' does not exist");
    }
    if (fs::is_directory(target, error)) {
        ThrowErrno(EISDIR, "it is a folder");
    }
    if (fs::exists(target, error) && ::access(target.c_str(), W_OK) != 0) {
        ThrowErrno(errno, "the file cannot be written");
    }
    if (::access(folder.c_str(), W_OK) != 0) {
        ThrowErrno(errno, "the folder '" + folder.string() + "' cannot be written");
    }
}

fs::path SafeSaveFile::TemporaryPathFor(const fs::path& requested) {
    const fs::path target = Resolved(requested);
    return FolderOf(target) / ("." + target.filename().string() + ".partial");
}

SafeSaveFile::SafeSaveFile(const fs::path& requested, const BeforeLock& beforeLock)
    : target_(Resolved(requested)), temporary_(TemporaryPathFor(target_)) {
    CheckWritable(target_);
    fd_ = OpenLocked(beforeLock);
    if (::ftruncate(fd_, 0) != 0) {
        const int error = errno;
        ::unlink(temporary_.c_str());  // locked and still named by the path: ours
        ::close(std::exchange(fd_, -1));
        ThrowErrno(error, "cannot empty the temporary file '" + temporary_.string() + "'");
    }
    // A file that is replaced keeps its permissions.
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0) {
        ::fchmod(fd_, old.st_mode & 07777);
    }
}

// The lock is taken on the file that was opened, but by then the writer that held it may have
// renamed it over the target and let go: the lock counts only while the temporary path still
// names the locked file, else the file now there is opened and locked instead.
int SafeSaveFile::OpenLocked(const BeforeLock& beforeLock) const {
    for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
        // Opening with 0666 lets the umask decide, as for any new file. No O_TRUNC yet: a file
        // still locked by another writer must not be emptied under it.
        Descriptor file(
            ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (file.get() < 0) {
            ThrowErrno(errno,
                       "cannot create a temporary file in '" + FolderOf(target_).string() + "'");
        }
        if (beforeLock) {
            beforeLock();
        }
        if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ThrowErrno(error == EWOULDBLOCK ? EBUSY : error,
                       "another program is writing this file");
        }
        if (Names(temporary_, file.get())) {
            return file.release();
        }
    }
    ThrowErrno(EBUSY, "another program is writing this file");
}

bool SafeSaveFile::HoldsTemporary() const {
    return fd_ >= 0 && Names(temporary_, fd_);
}

SafeSaveFile::~SafeSaveFile() {
    // Removed while still locked, and only while the path names this writer's own file, so no
    // other writer's file is removed.
    if (!committed_ && HoldsTemporary()) {
        ::unlink(temporary_.c_str());
    }
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void SafeSaveFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowErrno(errno, "writing failed");
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void SafeSaveFile::Commit() {
    if (::fsync(fd_) != 0) {
        ThrowErrno(errno, "writing to disk failed");
    }
    // Only this writer's own file may replace the target; a program that ignores the lock may
    // have put another in its place.
    if (!HoldsTemporary()) {
        ThrowErrno(EBUSY,
                   "another program replaced the temporary file '" + temporary_.string() + "'");
    }
    // Renamed while still locked, then closed: the lock never leaves a file that another
    // writer could take over half-renamed.
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        ThrowErrno(errno, "the file cannot be replaced");
    }
    committed_ = true;
    ::close(std::exchange(fd_, -1));  // the bytes are on disk already (fsync above)
    SyncFolder(FolderOf(target_));
}

}  // namespace vrn
