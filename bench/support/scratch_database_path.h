#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace vrn::bench {

// A database path of the benchmark's own under the temporary directory; the file and the
// engine's side files beside it are removed before use and when the object ends.
class ScratchDatabasePath {
public:
    explicit ScratchDatabasePath(const std::string& stem)
        : path_(std::filesystem::temp_directory_path() /
                (stem + "_" + std::to_string(::getpid()) + ".db")) {
        remove();
    }
    ~ScratchDatabasePath() { remove(); }
    ScratchDatabasePath(const ScratchDatabasePath&) = delete;
    ScratchDatabasePath& operator=(const ScratchDatabasePath&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    void remove() {
        for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
            std::error_code ignored;
            std::filesystem::remove(path_.string() + suffix, ignored);
        }
    }

    std::filesystem::path path_;
};

}  // namespace vrn::bench
