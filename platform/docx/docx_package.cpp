#include "platform/docx/docx_package.h"

#include <zip.h>

#include <memory>

#include "platform/docx/docx_error.h"

namespace vrn {

namespace {

struct SourceFree {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using Source = std::unique_ptr<zip_source_t, SourceFree>;

struct ArchiveDiscard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveDiscard>;

[[noreturn]] void Fail(const std::string& what, zip_error_t* error) {
    const std::string reason = zip_error_strerror(error);
    zip_error_fini(error);
    throw DocxError(what + ": " + reason);
}

[[noreturn]] void Fail(const std::string& what, zip_t* archive) {
    throw DocxError(what + ": " + zip_error_strerror(zip_get_error(archive)));
}

// Reads the finished zip out of its in-memory source.
std::string ReadAll(zip_source_t* source) {
    if (zip_source_open(source) < 0) {
        Fail("cannot read the package", zip_source_error(source));
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    std::string bytes;
    if (zip_source_stat(source, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) != 0) {
        bytes.resize(stat.size);
    }
    zip_int64_t total = 0;
    for (;;) {
        if (static_cast<std::size_t>(total) == bytes.size()) {
            bytes.resize(bytes.size() + 65536);
        }
        const zip_int64_t read = zip_source_read(source, bytes.data() + total,
                                                 bytes.size() - static_cast<std::size_t>(total));
        if (read < 0) {
            zip_source_close(source);
            Fail("cannot read the package", zip_source_error(source));
        }
        if (read == 0) {
            break;
        }
        total += read;
    }
    zip_source_close(source);
    bytes.resize(static_cast<std::size_t>(total));
    return bytes;
}

}  // namespace

std::string ZipPackage(const std::vector<DocxPart>& parts) {
    zip_error_t error;
    zip_error_init(&error);
    Source memory(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!memory) {
        Fail("cannot make the package", &error);
    }
    zip_source_keep(memory.get());  // it outlives the archive that writes into it
    Archive archive(zip_open_from_source(memory.get(), ZIP_TRUNCATE, &error));
    if (!archive) {
        Fail("cannot make the package", &error);
    }
    for (const DocxPart& part : parts) {
        std::vector<zip_buffer_fragment_t> fragments;
        for (const std::string_view piece : part.pieces) {
            if (!piece.empty()) {
                fragments.push_back(
                    {reinterpret_cast<zip_uint8_t*>(const_cast<char*>(piece.data())),
                     piece.size()});
            }
        }
        Source data(
            zip_source_buffer_fragment(archive.get(), fragments.data(), fragments.size(), 0));
        if (!data) {
            Fail("cannot add " + part.name, archive.get());
        }
        const zip_int64_t index =
            zip_file_add(archive.get(), part.name.c_str(), data.get(), ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            Fail("cannot add " + part.name, archive.get());
        }
        data.release();  // the archive owns it now
        const zip_int32_t method = part.compressed ? ZIP_CM_DEFLATE : ZIP_CM_STORE;
        if (zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(index), method, 1) <
            0) {
            Fail("cannot add " + part.name, archive.get());
        }
    }
    if (zip_close(archive.get()) < 0) {
        Fail("cannot write the package", archive.get());
    }
    archive.release();  // closed
    return ReadAll(memory.get());
}

}  // namespace vrn
