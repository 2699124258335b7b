#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace vrn::bench {

// A folder of the benchmark's own under the temporary directory, readable by its owner alone,
// removed with everything in it when the object ends.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& stem)
        : path_(std::filesystem::temp_directory_path() /
                (stem + "-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::replace);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace vrn::bench
