#include "server/database/search_files.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <type_traits>
#include <vector>

#include "server/database/file_layer.h"

namespace kt {

namespace {

// A temporary file grows by whole blocks, each taken from the budget as it is added.
constexpr sqlite3_int64 kBlockBytes = 64 * 1024;

// What the engine opens for its own use during a statement, besides the catalogue's journals.
constexpr int kTemporaryFiles = SQLITE_OPEN_TEMP_DB | SQLITE_OPEN_TEMP_JOURNAL |
                                SQLITE_OPEN_TRANSIENT_DB | SQLITE_OPEN_SUBJOURNAL;

// One temporary file, in blocks held against the search's budget. Bytes never written read
// as zeros.
class MemoryFile {
public:
    explicit MemoryFile(SearchFiles& files) : files_(files) {}
    ~MemoryFile() { files_.giveBack(static_cast<std::int64_t>(blocks_.size()) * kBlockBytes); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    sqlite3_int64 size() const { return size_; }

    int read(void* out, int amount, sqlite3_int64 offset) const {
        auto* bytes = static_cast<std::byte*>(out);
        const sqlite3_int64 available = std::clamp<sqlite3_int64>(size_ - offset, 0, amount);
        copy(offset, available, [&](std::byte* block, sqlite3_int64 done, sqlite3_int64 part) {
            std::memcpy(bytes + done, block, static_cast<std::size_t>(part));
        });
        if (available < amount) {
            std::memset(bytes + available, 0, static_cast<std::size_t>(amount - available));
            return SQLITE_IOERR_SHORT_READ;
        }
        return SQLITE_OK;
    }

    int write(const void* data, int amount, sqlite3_int64 offset) {
        if (!reach(offset + amount)) {
            return SQLITE_FULL;
        }
        const auto* bytes = static_cast<const std::byte*>(data);
        copy(offset, amount, [&](std::byte* block, sqlite3_int64 done, sqlite3_int64 part) {
            std::memcpy(block, bytes + done, static_cast<std::size_t>(part));
        });
        size_ = std::max(size_, offset + amount);
        return SQLITE_OK;
    }

    int truncate(sqlite3_int64 size) {
        if (size > size_) {
            if (!reach(size)) {
                return SQLITE_FULL;
            }
            size_ = size;
            return SQLITE_OK;
        }
        // What lies past the new end reads as zeros when the file grows again.
        const auto kept = static_cast<std::size_t>((size + kBlockBytes - 1) / kBlockBytes);
        if (const sqlite3_int64 tail = size % kBlockBytes; tail != 0) {
            std::memset(blocks_[kept - 1].get() + tail, 0,
                        static_cast<std::size_t>(kBlockBytes - tail));
        }
        files_.giveBack(static_cast<std::int64_t>(blocks_.size() - kept) * kBlockBytes);
        blocks_.resize(kept);
        size_ = size;
        return SQLITE_OK;
    }

private:
    // Adds zeroed blocks until the file can hold `end` bytes; false when the budget refuses.
    bool reach(sqlite3_int64 end) {
        const auto needed = static_cast<std::size_t>((end + kBlockBytes - 1) / kBlockBytes);
        if (needed <= blocks_.size()) {
            return true;
        }
        const auto added = static_cast<std::int64_t>(needed - blocks_.size()) * kBlockBytes;
        if (!files_.take(added)) {
            return false;
        }
        while (blocks_.size() < needed) {
            blocks_.push_back(std::make_unique<std::byte[]>(kBlockBytes));
        }
        return true;
    }

    // Calls `part(block, done, length)` for each piece of [offset, offset + length) in turn.
    template <typename Part>
    void copy(sqlite3_int64 offset, sqlite3_int64 length, Part part) const {
        for (sqlite3_int64 done = 0; done < length;) {
            const sqlite3_int64 at = offset + done;
            const sqlite3_int64 within = at % kBlockBytes;
            const sqlite3_int64 piece = std::min(length - done, kBlockBytes - within);
            part(blocks_[static_cast<std::size_t>(at / kBlockBytes)].get() + within, done, piece);
            done += piece;
        }
    }

    SearchFiles& files_;
    std::vector<std::unique_ptr<std::byte[]>> blocks_;
    sqlite3_int64 size_ = 0;
};

// What the engine holds for an open temporary file: its methods, then the file.
struct OpenMemoryFile {
    sqlite3_file base;
    MemoryFile* file;
};
static_assert(std::is_standard_layout_v<OpenMemoryFile>);

MemoryFile& fileOf(sqlite3_file* open) {
    return *reinterpret_cast<OpenMemoryFile*>(open)->file;
}

// The engine's calls may not throw: running out of memory is its own error.
template <typename Call>
int guarded(Call call) {
    try {
        return call();
    } catch (const std::bad_alloc&) {
        return SQLITE_IOERR_NOMEM;
    }
}

// clang-format off
constexpr sqlite3_io_methods kMemoryFileMethods = {
    1,
    [](sqlite3_file* open) {
        delete &fileOf(open);
        return SQLITE_OK;
    },
    [](sqlite3_file* open, void* out, int amount, sqlite3_int64 offset) {
        return fileOf(open).read(out, amount, offset);
    },
    [](sqlite3_file* open, const void* data, int amount, sqlite3_int64 offset) {
        return guarded([&] { return fileOf(open).write(data, amount, offset); });
    },
    [](sqlite3_file* open, sqlite3_int64 size) {
        return guarded([&] { return fileOf(open).truncate(size); });
    },
    [](sqlite3_file*, int) { return SQLITE_OK; },
    [](sqlite3_file* open, sqlite3_int64* size) {
        *size = fileOf(open).size();
        return SQLITE_OK;
    },
    [](sqlite3_file*, int) { return SQLITE_OK; },
    [](sqlite3_file*, int) { return SQLITE_OK; },
    [](sqlite3_file*, int* reserved) {
        *reserved = 0;
        return SQLITE_OK;
    },
    [](sqlite3_file*, int, void*) { return SQLITE_NOTFOUND; },
    [](sqlite3_file*) { return 0; },  // the engine's default sector
    [](sqlite3_file*) { return 0; },
    // Version 1: no shared memory, no mapping.
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
};
// clang-format on

// Opens the catalogue and its journals through the default layer, every other file in memory.
int openFile(sqlite3_vfs* vfs, const char* name, sqlite3_file* opened, int flags,
             int* openedFlags) {
    if (name != nullptr && (flags & kTemporaryFiles) == 0) {
        sqlite3_vfs* system = FileLayer::systemOf(vfs);
        return system->xOpen(system, name, opened, flags, openedFlags);
    }
    auto* memory = reinterpret_cast<OpenMemoryFile*>(opened);
    memory->base.pMethods = nullptr;
    memory->file =
        new (std::nothrow) MemoryFile(*static_cast<SearchFiles*>(FileLayer::ownerOf(vfs)));
    if (memory->file == nullptr) {
        return SQLITE_NOMEM;
    }
    memory->base.pMethods = &kMemoryFileMethods;
    if (openedFlags != nullptr) {
        *openedFlags = flags;
    }
    return SQLITE_OK;
}

}  // namespace

SearchFiles::SearchFiles(std::int64_t budget)
    : budget_(budget),
      layer_(std::make_unique<FileLayer>(
          "kt-search-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)), this)) {
    sqlite3_vfs& vfs = layer_->vfs();
    vfs.szOsFile = std::max<int>(vfs.szOsFile, sizeof(OpenMemoryFile));
    vfs.xOpen = &openFile;
    layer_->install();
}

SearchFiles::~SearchFiles() = default;

const char* SearchFiles::name() const {
    return layer_->name();
}

void SearchFiles::startSearch() {
    peak_ = used_;
    refused_ = false;
}

bool SearchFiles::take(std::int64_t bytes) {
    if (used_ + bytes > budget_) {
        refused_ = true;
        return false;
    }
    used_ += bytes;
    peak_ = std::max(peak_, used_);
    return true;
}

}  // namespace kt
