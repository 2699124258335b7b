#pragma once

#include <cstdint>
#include <fstream>
#include <map>
#include <memory>
#include <string>

namespace vrn {

// A document's open files by number, as OpenFile hands them out: the lowest number from 1 that
// is free. An input file is opened for reading at once; an output file is only checked, since
// Save writes it through a temporary file. Failures throw std::system_error.
class OpenFileTable {
public:
    enum class Mode { Input, Output };
    static constexpr int kMostFiles = 255;

    struct OpenedFile {
        std::string path;
        Mode mode = Mode::Input;
        std::unique_ptr<std::filebuf> input;  // for Mode::Input
    };

    // The number the next Open gives.
    std::int16_t FreeNumber() const;
    std::int16_t Open(const std::string& path, Mode mode);
    // The open file `file` in `mode`; throws when there is none.
    OpenedFile& Get(std::int16_t file, Mode mode);
    // Forgets `file`; a number that is not open is left alone.
    void Close(std::int16_t file) { files_.erase(file); }

private:
    std::map<std::int16_t, OpenedFile> files_;
};

}  // namespace vrn
