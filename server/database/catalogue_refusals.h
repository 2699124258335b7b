#pragma once

#include <chrono>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "server/database/errors.h"

namespace kt {

// The refusals that name the catalogue: which file, what could not be done ("open", "search",
// "read", "change") and why.

// The head of such a refusal: Cannot <deed> the catalogue "<path>": .
std::string cannotDo(std::string_view deed, const std::filesystem::path& path);

// True for a failure of the engine that means another program held a lock the statement needed
// for longer than the statement waited, or in a way that it could not wait for.
bool lockedByAnotherProgram(const Error& error);

// The refusal that says so: which file, what could not be done, how long the server really
// waited, and what the user can do. Some locks end a statement at once (a catalogue that
// another program keeps in write-ahead-log mode), others after the whole wait; the text tells
// the two apart. The number stays the engine's (SQLITE_BUSY or one of its kin).
class CatalogueInUse : public DatabaseError {
public:
    CatalogueInUse(int resultCode, std::filesystem::path path, std::string_view refused,
                   std::chrono::milliseconds waited, std::chrono::milliseconds allowed);

    // The same refusal of another deed: a read or a change made by an open is the open's.
    CatalogueInUse refusing(std::string_view refused) const;

private:
    std::filesystem::path path_;
    std::chrono::milliseconds waited_;
    std::chrono::milliseconds allowed_;
};
// How long a refused statement begun at `start` waited, in whole milliseconds.
std::chrono::milliseconds waitedSince(std::chrono::steady_clock::time_point start);
// "0.002 seconds" below a second, tenths of a second above.
std::string describeWait(std::chrono::milliseconds waited);

// The refusal of a catalogue whose path no longer leads to the file being opened.
DatabaseError catalogueReplaced(const std::filesystem::path& path);
// The refusal of a change to a catalogue whose path no longer leads to the opened file: which
// file, that it was moved, replaced or deleted while it was being changed, that the change was
// not made, and to open it again. The number is the engine's for that cause
// (SQLITE_READONLY_DBMOVED). Met by an open (an upgrade step), it is catalogueReplaced.
class CatalogueMoved : public DatabaseError {
public:
    explicit CatalogueMoved(const std::filesystem::path& path);
};
// The refusal of a deed that would have rolled back the journal beside the catalogue's path
// while that path leads to another file: the journal is that file's, left by another program
// that stopped part way through changing it. The number is the engine's for a journal that
// cannot be rolled back (SQLITE_READONLY_ROLLBACK). Met by an open, it is catalogueReplaced.
class ForeignJournal : public DatabaseError {
public:
    ForeignJournal(std::filesystem::path path, std::string_view refused);

    ForeignJournal refusing(std::string_view refused) const;

private:
    std::filesystem::path path_;
};
// When `error`, met while opening the catalogue at `path`, is a refusal that the file's state
// caused (another program's lock, a move), that refusal as the open's; nothing otherwise.
std::optional<DatabaseError> openRefusal(const std::exception& error,
                                         const std::filesystem::path& path);

// The refusal of a damaged file, naming the file and what was found.
DatabaseError catalogueDamaged(const std::filesystem::path& path, const std::string& finding);
// True for a failure of the engine that means the file is damaged.
bool damagedFile(const Error& error);

// True for a failure of the engine to read or write a file: a full disk, or another error of
// the system's.
bool fileFailure(const Error& error);
// The refusal of a change that such a failure stopped: which file, the system's reason
// (`systemError`, the errno the engine met, when it kept one) and that the change was not made.
// The number stays the engine's.
DatabaseError changeFailed(const std::filesystem::path& path, const Error& error, int systemError);

}  // namespace kt
