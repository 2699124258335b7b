#include "server/database/journal_guard.h"

#include <sqlite3.h>

#include <cstdint>
#include <utility>

#include "server/database/file_layer.h"

namespace kt {

namespace {

JournalGuard& guardOf(sqlite3_vfs* vfs) {
    return *static_cast<JournalGuard*>(FileLayer::ownerOf(vfs));
}

}  // namespace

JournalGuard::JournalGuard()
    : layer_(std::make_unique<FileLayer>(
          "kt-catalogue-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)), this)) {
    sqlite3_vfs& vfs = layer_->vfs();
    vfs.xAccess = &JournalGuard::access;
    vfs.xOpen = &JournalGuard::open;
    layer_->install();
}

JournalGuard::~JournalGuard() = default;

const char* JournalGuard::name() const {
    return layer_->name();
}

void JournalGuard::guard(const CatalogueFile& file) {
    // The engine names them so after the path it resolved.
    journal_ = file.path.string() + "-journal";
    log_ = file.path.string() + "-wal";
    file_ = file;
}

bool JournalGuard::refusedJournal() {
    return std::exchange(refused_, false);
}

bool JournalGuard::foreign(std::string_view name) {
    if (!file_ || (name != journal_ && name != log_) || file_->stillAtPath()) {
        return false;
    }
    refused_ = true;
    return true;
}

int JournalGuard::access(sqlite3_vfs* vfs, const char* name, int flags, int* result) {
    sqlite3_vfs* system = FileLayer::systemOf(vfs);
    const int code = system->xAccess(system, name, flags, result);
    if (code == SQLITE_OK && *result != 0 && guardOf(vfs).foreign(name)) {
        *result = 0;
        return SQLITE_READONLY_ROLLBACK;
    }
    return code;
}

int JournalGuard::open(sqlite3_vfs* vfs, const char* name, sqlite3_file* opened, int flags,
                       int* openedFlags) {
    sqlite3_vfs* system = FileLayer::systemOf(vfs);
    const int code = system->xOpen(system, name, opened, flags, openedFlags);
    // A journal opened as it is, not made anew for a write, is one to be rolled back: the file
    // now open is the one that was beside the opened file's path while it was opened. (Not
    // SQLITE_CANTOPEN, which the engine takes for a journal to roll back all the same.)
    const bool existingJournal =
        (flags & SQLITE_OPEN_MAIN_JOURNAL) != 0 && (flags & SQLITE_OPEN_CREATE) == 0;
    if (code == SQLITE_OK && existingJournal && name != nullptr && guardOf(vfs).foreign(name)) {
        opened->pMethods->xClose(opened);
        opened->pMethods = nullptr;
        return SQLITE_READONLY_ROLLBACK;
    }
    return code;
}

}  // namespace kt
