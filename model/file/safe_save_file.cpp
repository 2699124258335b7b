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

[[noreturn]] void ThrowErrno(int error, const std::string& what) {
    throw std::system_error(error, std::generic_category(), what);
}

fs::path FolderOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

fs::path Resolved(const fs::path& target) {
    std::error_code ignored;
    return fs::is_symlink(target, ignored) ? fs::weakly_canonical(target) : target;
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

SafeSaveFile::SafeSaveFile(const fs::path& requested)
    : target_(Resolved(requested)), temporary_(TemporaryPathFor(target_)) {
    CheckWritable(target_);
    // Opening with 0666 lets the umask decide, as for any new file. No O_TRUNC yet: a file
    // still locked by another writer must not be emptied under it.
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        ThrowErrno(errno, "cannot create a temporary file in '" + FolderOf(target_).string() + "'");
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd_);
        fd_ = -1;
        committed_ = true;  // the temporary file is the other writer's: leave it
        ThrowErrno(error == EWOULDBLOCK ? EBUSY : error, "another program is writing this file");
    }
    if (::ftruncate(fd_, 0) != 0) {
        const int error = errno;
        ::unlink(temporary_.c_str());
        ::close(std::exchange(fd_, -1));
        ThrowErrno(error, "cannot empty the temporary file '" + temporary_.string() + "'");
    }
    // A file that is replaced keeps its permissions.
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0) {
        ::fchmod(fd_, old.st_mode & 07777);
    }
}

SafeSaveFile::~SafeSaveFile() {
    // Unlinked before the lock goes with the descriptor, so no other writer's file is removed.
    if (!committed_) {
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
