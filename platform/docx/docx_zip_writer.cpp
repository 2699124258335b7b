#include "platform/docx/docx_zip_writer.h"

#include <ctime>
#include <limits>

#include "platform/docx/docx_deflater.h"
#include "platform/docx/docx_error.h"

namespace vrn {

namespace {

constexpr std::uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr std::uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint16_t kVersionNeeded = 20;      // 2.0: deflate
constexpr std::uint16_t kVersionMadeBy = 0x0314;  // Unix, 2.0
constexpr std::uint16_t kUtf8Names = 0x0800;      // general purpose flag bit 11
constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint32_t kRegularFileReadable = 0100644U << 16U;  // Unix mode in the high half
constexpr std::uint64_t kLargest = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kMostEntries = std::numeric_limits<std::uint16_t>::max();
constexpr int kDosEpochYear = 1980;

// Little-endian fields, as zip writes them.
class Fields {
public:
    Fields& u16(std::uint64_t value) { return bytes(value, 2); }
    Fields& u32(std::uint64_t value) { return bytes(value, 4); }
    Fields& text(std::string_view value) {
        out_ += value;
        return *this;
    }
    const std::string& str() const { return out_; }

private:
    Fields& bytes(std::uint64_t value, int count) {
        for (int i = 0; i < count; ++i) {
            out_ += static_cast<char>((value >> (8 * i)) & 0xFFU);
        }
        return *this;
    }
    std::string out_;
};

void CheckLimit(std::uint64_t value, const std::string& what) {
    if (value >= kLargest) {
        throw DocxError("the document is too large for a zip file: " + what);
    }
}

// Counts what passes into the real sink.
class CountingSink : public ByteSink {
public:
    CountingSink(ByteSink& sink, std::uint64_t& count) : sink_(sink), count_(count) {}
    void Write(std::string_view bytes) override {
        sink_.Write(bytes);
        count_ += bytes.size();
    }

private:
    ByteSink& sink_;
    std::uint64_t& count_;
};

}  // namespace

DocxZipWriter::DocxZipWriter(ByteSink& sink) : sink_(sink) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) != nullptr && local.tm_year + 1900 >= kDosEpochYear) {
        dosTime_ = static_cast<std::uint16_t>((local.tm_hour << 11) | (local.tm_min << 5) |
                                              (local.tm_sec / 2));
        dosDate_ = static_cast<std::uint16_t>(((local.tm_year + 1900 - kDosEpochYear) << 9) |
                                              ((local.tm_mon + 1) << 5) | local.tm_mday);
    }
}

void DocxZipWriter::write(std::string_view bytes) {
    sink_.Write(bytes);
    written_ += bytes.size();
}

void DocxZipWriter::writeLocalHeader(const Entry& entry) {
    if (entries_.size() >= kMostEntries) {
        throw DocxError("the document has too many parts for a zip file");
    }
    CheckLimit(entry.size, entry.name);
    CheckLimit(entry.compressedSize, entry.name);
    CheckLimit(entry.offset, entry.name);
    Fields header;
    header.u32(kLocalHeaderSignature).u16(kVersionNeeded).u16(kUtf8Names).u16(entry.method);
    header.u16(dosTime_).u16(dosDate_).u32(entry.crc32).u32(entry.compressedSize);
    header.u32(entry.size).u16(entry.name.size()).u16(0).text(entry.name);
    write(header.str());
    entries_.push_back(entry);
}

void DocxZipWriter::Add(const std::string& name, std::string_view bytes, bool deflate) {
    if (!deflate) {
        const auto crc = static_cast<std::uint32_t>(
            ::crc32(::crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes.data()),
                    static_cast<uInt>(bytes.size())));
        CheckLimit(bytes.size(), name);
        writeLocalHeader({name, kStored, crc, bytes.size(), bytes.size(), written_});
        write(bytes);
        return;
    }
    DocxDeflater deflater;
    std::string compressed;
    const auto keep = [&compressed](std::string_view out) { compressed += out; };
    deflater.Deflate(bytes, keep);
    deflater.Finish(keep);
    writeLocalHeader(
        {name, kDeflated, deflater.crc32(), deflater.size(), compressed.size(), written_});
    write(compressed);
}

void DocxZipWriter::AddDeflated(const std::string& name, std::uint32_t crc32, std::uint64_t size,
                                std::uint64_t compressedSize,
                                const std::function<void(ByteSink&)>& writeData) {
    writeLocalHeader({name, kDeflated, crc32, size, compressedSize, written_});
    const std::uint64_t start = written_;
    CountingSink counted(sink_, written_);
    writeData(counted);
    if (written_ - start != compressedSize) {
        throw DocxError("the compressed part " + name + " changed while it was written");
    }
}

void DocxZipWriter::Finish() {
    const std::uint64_t directoryStart = written_;
    for (const Entry& entry : entries_) {
        Fields header;
        header.u32(kCentralHeaderSignature).u16(kVersionMadeBy).u16(kVersionNeeded);
        header.u16(kUtf8Names).u16(entry.method).u16(dosTime_).u16(dosDate_).u32(entry.crc32);
        header.u32(entry.compressedSize).u32(entry.size).u16(entry.name.size());
        header.u16(0).u16(0).u16(0).u16(0).u32(kRegularFileReadable).u32(entry.offset);
        header.text(entry.name);
        write(header.str());
    }
    const std::uint64_t directorySize = written_ - directoryStart;
    CheckLimit(directoryStart, "its directory");
    Fields end;
    end.u32(kEndSignature).u16(0).u16(0).u16(entries_.size()).u16(entries_.size());
    end.u32(directorySize).u32(directoryStart).u16(0);
    write(end.str());
}

}  // namespace vrn
