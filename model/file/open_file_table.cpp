#include "model/file/open_file_table.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "model/file/safe_save_file.h"

namespace vrn {

std::int16_t OpenFileTable::FreeNumber() const {
    std::int16_t number = 1;
    for (const auto& entry : files_) {
        if (entry.first != number) {
            break;
        }
        ++number;
    }
    if (number > kMostFiles) {
        throw std::system_error(EMFILE, std::generic_category(), "too many files are open");
    }
    return number;
}

std::int16_t OpenFileTable::Open(const std::string& path, Mode mode) {
    const std::int16_t number = FreeNumber();
    OpenedFile opened{path, mode, nullptr};
    if (mode == Mode::Input) {
        std::error_code ignored;
        if (std::filesystem::is_directory(path, ignored)) {
            throw std::system_error(EISDIR, std::generic_category());
        }
        opened.input = std::make_unique<std::filebuf>();
        errno = 0;
        if (opened.input->open(path, std::ios::in | std::ios::binary) == nullptr) {
            throw std::system_error(errno != 0 ? errno : ENOENT, std::generic_category());
        }
    } else {
        SafeSaveFile::CheckWritable(path);
    }
    files_.emplace(number, std::move(opened));
    return number;
}

OpenFileTable::OpenedFile& OpenFileTable::Get(std::int16_t file, Mode mode) {
    const auto found = files_.find(file);
    if (found == files_.end() || found->second.mode != mode) {
        throw std::system_error(EBADF, std::generic_category(),
                                "file number " + std::to_string(file) + " is not open for " +
                                    (mode == Mode::Input ? "reading" : "writing"));
    }
    return found->second;
}

}  // namespace vrn
