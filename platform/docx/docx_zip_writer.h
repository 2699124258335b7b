#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/file/byte_sink.h"

namespace vrn {

// Writes a zip file front to back into a sink, entry by entry, never seeking back: every
// entry's checksum and sizes are known before its bytes, because the package's parts are
// either small or deflated beforehand (DocxSpooledPart). The zip library's own writer needs an
// output it can seek in and a temporary file of its own choosing, which a saved file does not
// allow. Entries and the archive stay within the classic zip limits (4 GiB, 65,535 entries);
// beyond them, and when the sink fails, it throws.
class DocxZipWriter {
public:
    struct Entry {
        std::string name;
        std::uint16_t method = 0;
        std::uint32_t crc32 = 0;
        std::uint64_t size = 0;
        std::uint64_t compressedSize = 0;
        std::uint64_t offset = 0;
    };

    explicit DocxZipWriter(ByteSink& sink);

    // A part given whole, deflated or stored as it is (pictures are compressed already).
    void Add(const std::string& name, std::string_view bytes, bool deflate);
    // A part deflated beforehand: `writeData` puts its compressed bytes into the sink it is given.
    void AddDeflated(const std::string& name, std::uint32_t crc32, std::uint64_t size,
                     std::uint64_t compressedSize, const std::function<void(ByteSink&)>& writeData);
    // The central directory and its end record.
    void Finish();

    std::uint64_t bytesWritten() const { return written_; }

private:
    void writeLocalHeader(const Entry& entry);
    void write(std::string_view bytes);

    ByteSink& sink_;
    std::uint64_t written_ = 0;
    std::uint16_t dosTime_ = 0;
    std::uint16_t dosDate_ = 0;
    std::vector<Entry> entries_;
};

}  // namespace vrn
