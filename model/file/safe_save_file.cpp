#include "model/file/safe_save_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>
#include <system_error>

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

SafeSaveFile::SafeSaveFile(const fs::path& requested) : target_(Resolved(requested)) {
    CheckWritable(target_);
    // Not mkstemp: opening with 0666 lets the umask decide, as for any new file.
    std::random_device seed;
    std::mt19937 pick(seed());
    const fs::path folder = FolderOf(target_);
    for (int attempt = 0; fd_ < 0; ++attempt) {
        temporary_ = folder / ("." + target_.filename().string() + "." +
                               std::to_string(pick() % 1000000) + ".tmp");
        fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && (errno != EEXIST || attempt == 100)) {
            ThrowErrno(errno, "cannot create a temporary file in '" + folder.string() + "'");
        }
    }
    // A file that is replaced keeps its permissions.
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0) {
        ::fchmod(fd_, old.st_mode & 07777);
    }
}

SafeSaveFile::~SafeSaveFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (!committed_) {
        ::unlink(temporary_.c_str());
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
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        ThrowErrno(errno, "writing to disk failed");
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        ThrowErrno(errno, "the file cannot be replaced");
    }
    committed_ = true;
    SyncFolder(FolderOf(target_));
}

}  // namespace vrn
