#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>

#include "model/reports/report_file.h"

namespace vrn::testing {

// The error a write to a full disk gives, taken from the system's own full device.
[[noreturn]] inline void ThrowDiskFull() {
    int error = ENOSPC;
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    if (full >= 0) {
        if (::write(full, "x", 1) < 0) {
            error = errno;
        }
        ::close(full);
    }
    throw std::system_error(error, std::generic_category(), "writing failed");
}

// A saved file on a disk that fills up after `room` bytes: those are written, then every write
// fails as a full disk fails.
class FullDiskFile : public SafeSaveFile {
public:
    FullDiskFile(const std::filesystem::path& target, std::size_t room)
        : SafeSaveFile(target), room_(room) {}

    void Write(std::string_view bytes) override {
        const std::size_t fits = std::min(bytes.size(), room_);
        SafeSaveFile::Write(bytes.substr(0, fits));
        room_ -= fits;
        if (fits < bytes.size()) {
            ThrowDiskFull();
        }
    }

private:
    std::size_t room_;
};

inline ReportFileOpener FullDiskAfter(std::size_t room) {
    return [room](const std::filesystem::path& target) {
        return std::make_unique<FullDiskFile>(target, room);
    };
}

// A saved file whose writer stops for good after `room` bytes, once it has told `ready` (a
// pipe's write end) so: a process that writes through it can be killed half way.
class StallingFile : public SafeSaveFile {
public:
    StallingFile(const std::filesystem::path& target, std::size_t room, int ready)
        : SafeSaveFile(target), room_(room), ready_(ready) {}

    void Write(std::string_view bytes) override {
        const std::size_t fits = std::min(bytes.size(), room_);
        SafeSaveFile::Write(bytes.substr(0, fits));
        room_ -= fits;
        if (fits < bytes.size()) {
            (void)::write(ready_, "r", 1);
            for (;;) {
                ::pause();
            }
        }
    }

private:
    std::size_t room_;
    int ready_;
};

// Runs `write` in a child process that writes through a StallingFile, and kills the child with
// SIGKILL once it has written `room` bytes. True when the child got that far.
template <class Write>
bool KillWriterHalfWay(std::size_t room, Write write) {
    int pipe[2];
    if (::pipe(pipe) != 0) {
        return false;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        const int ready = pipe[1];
        try {
            write([room, ready](const std::filesystem::path& target) {
                return std::make_unique<StallingFile>(target, room, ready);
            });
        } catch (...) {
        }
        ::_exit(0);  // finished without stalling: the parent sees no signal
    }
    ::close(pipe[1]);
    char signal = 0;
    const bool stalled = child > 0 && ::read(pipe[0], &signal, 1) == 1;
    ::close(pipe[0]);
    if (child > 0) {
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
    }
    return stalled;
}

}  // namespace vrn::testing
