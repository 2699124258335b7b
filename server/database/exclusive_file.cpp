#include "server/database/exclusive_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace kt {

namespace {

constexpr mode_t kNewFileMode = 0666;  // narrowed by the process's umask

std::error_code lastError() {
    return {errno, std::generic_category()};
}

// Hard links are missing on some file systems (FAT, some network shares); a rename that may
// not replace does the same there, where the kernel supports it.
bool linksUnsupported(int error) {
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EXDEV ||
           error == EMLINK;
}

}  // namespace

std::error_code createExclusively(const std::filesystem::path& path) {
    const int descriptor =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (descriptor < 0) {
        return lastError();
    }
    ::close(descriptor);
    return {};
}

std::error_code publishWithoutReplacing(const std::filesystem::path& from,
                                        const std::filesystem::path& to) {
    // A new link fails when the name exists: the check and the naming are one step.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return {};
    }
    const int linkError = errno;
    if (!linksUnsupported(linkError)) {
        return {linkError, std::generic_category()};
    }
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return {};
    }
    return errno == EEXIST ? lastError() : std::error_code(linkError, std::generic_category());
}

}  // namespace kt
