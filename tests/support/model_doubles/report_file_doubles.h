#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>

#include "model/reports/report_file.h"
#include "tests/support/child_process.h"

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

// A saved file whose writer stops for good after `room` bytes, once it has said so on its
// standard output: a child process that writes through it can be killed half way.
class StallingFile : public SafeSaveFile {
public:
    StallingFile(const std::filesystem::path& target, std::size_t room)
        : SafeSaveFile(target), room_(room) {}

    void Write(std::string_view bytes) override {
        const std::size_t fits = std::min(bytes.size(), room_);
        SafeSaveFile::Write(bytes.substr(0, fits));
        room_ -= fits;
        if (fits < bytes.size()) {
            constexpr std::string_view kStalled = "stalled\n";
            (void)::write(STDOUT_FILENO, kStalled.data(), kStalled.size());
            for (;;) {
                ::pause();
            }
        }
    }

private:
    std::size_t room_;
};

// Runs `write` in a child process that writes through a StallingFile, and kills the child with
// SIGKILL once it has written `room` bytes. True when the child got that far.
template <class Write>
bool KillWriterHalfWay(std::size_t room, Write write) {
    ChildProcess child(
        [&] {
            try {
                write([room](const std::filesystem::path& target) {
                    return std::make_unique<StallingFile>(target, room);
                });
            } catch (...) {
            }
            return 0;  // finished without stalling: the parent reads no line
        },
        {.captureOutput = true});
    const bool stalled = child.readLine().has_value();
    child.kill();
    return stalled;
}

}  // namespace vrn::testing
