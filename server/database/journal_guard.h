#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "server/database/catalogue_file.h"

struct sqlite3_file;
struct sqlite3_vfs;

namespace kt {

class FileLayer;

// The file layer of the library's own connection to a catalogue: the engine's default one, except
// that the engine never finds a journal or write-ahead log named after the catalogue's path while
// that path leads to another file than the one opened. Such a journal is the other file's, left
// by a program that stopped part way through changing it: rolled back into the opened file, it
// would damage both files.
//
// The engine looks for a journal each time it takes a read lock with no transaction open (every
// read outside a transaction, BEGIN, the first statement of an open) and, when it finds one,
// opens it, takes the file's write lock and rolls it back. The layer checks the path at the very
// look, once the journal is found, and once more when the engine has opened it to roll it back:
// a move between a check and the engine's look, or between the look and the rollback, lets no
// other file's journal through. When no journal is there, the layer checks nothing.
//
// A refused look fails the statement with SQLITE_READONLY_ROLLBACK; refusedJournal() tells it
// from the engine's own. Until guard() names the file, the layer refuses nothing.
class JournalGuard {
public:
    JournalGuard();
    ~JournalGuard();
    JournalGuard(const JournalGuard&) = delete;
    JournalGuard& operator=(const JournalGuard&) = delete;

    // The name to open the connection with.
    const char* name() const;
    // The file that the connection has opened, from now on.
    void guard(const CatalogueFile& file);
    // True when the layer refused a journal since the last call.
    bool refusedJournal();

private:
    // True, and noted as refused, when `name` is the catalogue's journal or log and the path no
    // longer leads to the file opened.
    bool foreign(std::string_view name);
    static int access(sqlite3_vfs* vfs, const char* name, int flags, int* result);
    static int open(sqlite3_vfs* vfs, const char* name, sqlite3_file* opened, int flags,
                    int* openedFlags);

    std::optional<CatalogueFile> file_;
    std::string journal_;
    std::string log_;
    bool refused_ = false;
    std::unique_ptr<FileLayer> layer_;  // last: registered once everything it uses is there
};

}  // namespace kt
