#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "server/database/errors.h"
#include "server/database/read_confinement.h"
#include "server/database/recordset.h"
#include "server/database/statement.h"
#include "server/database/value.h"

struct sqlite3;

namespace kt {

// One connection to a catalogue file. Statements are prepared once per SQL text and kept;
// every value reaches SQL as a bound parameter. Double-quoted text is an identifier, never a
// string literal, so SQL that still quotes values that way fails instead of misreading them.
//
// The file keeps a rollback journal: between operations the catalogue is the one file, whole,
// so it can be copied, backed up and kept on a network share.
//
// The file is named once, when it is opened: by its absolute path, and by the device and inode
// that path led to. A later change of working directory, or another file renamed over the
// path, does not lead the connection or its searches to another file.
//
// A statement that another program's lock stops fails with CatalogueInUse.
class Database {
public:
    // How long a host's query may run unless told otherwise. A search holds the file's read
    // lock while it runs, so it ends well before a writer waiting for that lock gives up.
    static constexpr std::chrono::milliseconds kDefaultHostQueryTimeLimit{5000};
    // How long a statement waits for a lock that another program holds: long enough to wait
    // out another program's write, or a host's search at its time limit.
    static constexpr std::chrono::milliseconds kDefaultBusyWait{10000};

    // Opens an existing catalogue for reading and writing, taking no write lock. Never creates
    // a file; refuses a file that is not an SQLite database, is read-only, holds no catalogue
    // table or is damaged (shorter than its pages say, or failing the engine's quick check where
    // that is affordable), a file that another program keeps locked for longer than `busyWait`
    // or in a way that cannot be waited out, and a file replaced while it is being opened. Each
    // refusal names the file and the cause.
    static std::unique_ptr<Database> open(const std::filesystem::path& path,
                                          std::chrono::milliseconds busyWait = kDefaultBusyWait);
    // Creates a new, empty database file; refuses a path that exists, even one that another
    // process creates at the same moment.
    static std::unique_ptr<Database> create(const std::filesystem::path& path);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Absolute, as it was when the catalogue was opened.
    const std::filesystem::path& path() const { return path_; }
    std::chrono::milliseconds busyWait() const { return busyWait_; }

    // Runs one statement that changes rows or the schema, or begins or ends a transaction.
    template <typename... Args>
    void execute(std::string_view sql, const Args&... args);

    // Runs one SELECT and reads every row.
    template <typename... Args>
    Recordset snapshot(std::string_view sql, const Args&... args);

    // The first column of the first row; nothing when there is no row.
    template <typename... Args>
    std::optional<Value> scalar(std::string_view sql, const Args&... args);

    // Rows changed by the last INSERT, UPDATE or DELETE.
    int changes() const;

    bool inTransaction() const { return transactionDepth_ > 0; }
    bool inWriteTransaction() const { return transactionDepth_ > 0 && writeTransaction_; }

    // The cached statement for this SQL text, prepared on first use. The reference holds until
    // the next call. Meant for the library's own SQL, a fixed set; the cache is still emptied
    // when it grows past a bound.
    Statement& prepare(std::string_view sql);

    // Runs one SELECT that carries text from outside the library under `rules` and reads every
    // row. It is prepared for this run only and never cached (see Confinement for its errors).
    Recordset confinedSnapshot(std::string_view sql, const ReadRules& rules);
    // The same, handing each row to `row` as it is read instead of keeping them all.
    void confinedRows(std::string_view sql, const ReadRules& rules,
                      const std::function<void(const Recordset&)>& row);

    std::chrono::milliseconds hostQueryTimeLimit() const { return hostQueryTimeLimit_; }
    void setHostQueryTimeLimit(std::chrono::milliseconds limit) { hostQueryTimeLimit_ = limit; }

private:
    friend class Transaction;

    // What a statement stopped by a lock was doing, as its refusal says it.
    enum class Access { Read, Change };
    using Clock = std::chrono::steady_clock;

    Database(sqlite3* connection, std::filesystem::path path, std::chrono::milliseconds busyWait);
    // Raises CatalogueInUse for a statement begun at `start` that another program's lock stopped
    // with `error`; returns for any other error.
    void raiseWhenLocked(const DatabaseError& error, Access access, Clock::time_point start) const;
    // What makes the open file unsound, or empty: pages missing at its end, or the first
    // finding of the engine's quick check on a file small enough to check at once.
    std::string damageFound();
    static void runToEnd(Statement& statement);
    static std::optional<Value> firstValue(Statement& statement);

    struct Closer {
        void operator()(sqlite3* connection) const;
    };
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };

    // Declared first so that it closes after every cached statement is finalized.
    std::unique_ptr<sqlite3, Closer> connection_;
    Confinement confinement_;
    std::filesystem::path path_;
    std::chrono::milliseconds busyWait_;
    std::unordered_map<std::string, std::unique_ptr<Statement>, TextHash, std::equal_to<>>
        statements_;
    int transactionDepth_ = 0;
    bool writeTransaction_ = false;
    std::chrono::milliseconds hostQueryTimeLimit_ = kDefaultHostQueryTimeLimit;
};

// True for a failure of the engine that means another program held a lock the statement needed
// for longer than the statement waited, or in a way that it could not wait for.
bool lockedByAnotherProgram(const Error& error);

// The refusal that says so: which file, what could not be done ("open", "search", "change",
// "read"), how long the server really waited, and what the user can do. Some locks end a
// statement at once (a catalogue that another program keeps in write-ahead-log mode), others
// after the whole wait; the text tells the two apart. The number stays the engine's
// (SQLITE_BUSY or one of its kin).
class CatalogueInUse : public DatabaseError {
public:
    CatalogueInUse(int resultCode, std::filesystem::path path, std::string_view refused,
                   std::chrono::milliseconds waited, std::chrono::milliseconds allowed);

    std::chrono::milliseconds waited() const { return waited_; }
    // The same refusal of another deed: a read or a change made by an open is the open's.
    CatalogueInUse refusing(std::string_view refused) const;

private:
    std::filesystem::path path_;
    std::chrono::milliseconds waited_;
    std::chrono::milliseconds allowed_;
};
// "0.002 seconds" below a second, tenths of a second above.
std::string describeWait(std::chrono::milliseconds waited);

// The refusal of a catalogue whose path no longer leads to the file being opened.
DatabaseError catalogueReplaced(const std::filesystem::path& path);
// The refusal of a damaged file, naming the file and what was found.
DatabaseError catalogueDamaged(const std::filesystem::path& path, const std::string& finding);
// True for a failure of the engine that means the file is damaged.
bool damagedFile(const Error& error);

template <typename... Args>
void Database::execute(std::string_view sql, const Args&... args) {
    const Clock::time_point start = Clock::now();
    try {
        Statement& statement = prepare(sql);
        StatementReset reset(statement);
        statement.bindAll(args...);
        runToEnd(statement);
    } catch (const DatabaseError& error) {
        raiseWhenLocked(error, Access::Change, start);
        throw;
    }
}

template <typename... Args>
Recordset Database::snapshot(std::string_view sql, const Args&... args) {
    const Clock::time_point start = Clock::now();
    try {
        Statement& statement = prepare(sql);
        StatementReset reset(statement);
        statement.bindAll(args...);
        return Recordset::readAll(statement);
    } catch (const DatabaseError& error) {
        raiseWhenLocked(error, Access::Read, start);
        throw;
    }
}

template <typename... Args>
std::optional<Value> Database::scalar(std::string_view sql, const Args&... args) {
    const Clock::time_point start = Clock::now();
    try {
        Statement& statement = prepare(sql);
        StatementReset reset(statement);
        statement.bindAll(args...);
        return firstValue(statement);
    } catch (const DatabaseError& error) {
        raiseWhenLocked(error, Access::Read, start);
        throw;
    }
}

}  // namespace kt
