#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "server/database/catalogue_file.h"
#include "server/database/errors.h"
#include "server/database/journal_guard.h"
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
// A write goes on only while the path leads to that file: the journal is named after the path,
// so a write that went on after the file was moved, replaced or deleted would commit into a
// file without that name, or leave its journal beside another file, which the next open would
// then roll back into that other file. A write transaction checks the path before each of its
// statements, COMMIT included, and inside a long statement whenever the last check is older
// than kFileCheckInterval. When the path leads elsewhere, the whole transaction is rolled back
// through the journal it opened (which then leaves the path) and fails with CatalogueMoved; so
// does every statement after it until the outermost transaction ends.
//
// Likewise the connection never rolls back a journal found beside the path while the path leads
// to another file (JournalGuard): a statement that meets one, a read or BEGIN with no
// transaction open, or a statement of the open, fails with ForeignJournal, which names the
// file and the deed.
//
// A statement that another program's lock stops fails with CatalogueInUse; a change that a full
// disk or another error of the system stops fails naming the file and the system's reason
// (changeFailed). The refusals are in catalogue_refusals.h.
class Database {
public:
    // How long a host's query may run unless told otherwise. A search holds the file's read
    // lock while it runs, so it ends well before a writer waiting for that lock gives up.
    static constexpr std::chrono::milliseconds kDefaultHostQueryTimeLimit{5000};
    // How long a statement waits for a lock that another program holds: long enough to wait
    // out another program's write, or a host's search at its time limit.
    static constexpr std::chrono::milliseconds kDefaultBusyWait{10000};

    // How long a statement of a write goes on between two checks that its path leads to the
    // opened file: a check is a stat of the path, as dear as a short statement.
    static constexpr std::chrono::microseconds kFileCheckInterval{200};

    // Where a write checks that the path still leads to the opened file.
    enum class FileCheck { BeforeStatement, DuringStatement };
    // Called just before each such check: tests move the file there. It must not throw.
    using BeforeFileCheck = std::function<void(FileCheck)>;

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
    // The file opened at that path.
    const CatalogueFile& file() const { return file_; }
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
    // A search that meets the journal of another program's unfinished write, which its own
    // read-only connection cannot roll back, has this connection roll it back and runs again;
    // when that fails it is refused, naming the file.
    Recordset confinedSnapshot(std::string_view sql, const ReadRules& rules);
    // The same, handing each row to `row` as it is read instead of keeping them all.
    void confinedRows(std::string_view sql, const ReadRules& rules,
                      const std::function<void(const Recordset&)>& row);

    std::chrono::milliseconds hostQueryTimeLimit() const { return hostQueryTimeLimit_; }
    void setHostQueryTimeLimit(std::chrono::milliseconds limit) { hostQueryTimeLimit_ = limit; }

    void setBeforeFileCheck(BeforeFileCheck hook) { beforeFileCheck_ = std::move(hook); }

private:
    // A Transaction guard changes the connection's state through beginTransaction,
    // endTransaction and undo alone.
    friend class Transaction;

    // What a statement does, as a refusal of it says: a statement inside a write transaction
    // is always a change. Undo statements end a transaction that failed; nothing refuses them.
    enum class Access { Read, Change, Undo };
    using Clock = std::chrono::steady_clock;

    // Connects to the file at `path`, absolute, with the engine's open `flags`.
    Database(std::filesystem::path path, int flags, std::chrono::milliseconds busyWait);
    // Begins a transaction, writing or only reading, or a savepoint inside the one open; returns
    // the savepoint's name, empty for the outermost.
    std::string beginTransaction(bool write);
    // After the transaction or savepoint begun last was committed or rolled back.
    void endTransaction() noexcept;
    // Runs `body` on the cached statement for `sql`, with the checks and refusals every
    // statement gets.
    template <typename Body>
    decltype(auto) run(Access access, std::string_view sql, const Body& body);
    // Runs ROLLBACK, ROLLBACK TO or RELEASE for a transaction that ends uncommitted.
    void undo(std::string_view sql);
    // Refuses the statement about to run, at `now`, when the opened file was lost to this
    // transaction, or, inside a write transaction, when a check is due and finds the path
    // leading elsewhere.
    void checkFileBeforeStatement(Access access, Clock::time_point now);
    // The engine's progress handler: interrupts a statement of a write transaction when a
    // check is due and finds the path leading elsewhere.
    static int checkFileDuringStatement(void* database);
    bool fileCheckDue(Clock::time_point now) const {
        return now - lastFileCheck_ >= kFileCheckInterval;
    }
    // Whether the path still leads to the opened file, as a check at `now`.
    bool fileAtPath(FileCheck check, Clock::time_point now);
    // Rolls the open transaction back and raises CatalogueMoved; later statements are refused
    // until the outermost transaction ends.
    [[noreturn]] void abandonWrite();
    // Raises the refusal that `error`, met by a statement begun at `start`, stands for: the
    // file moved, another file's journal beside the path, another program's lock, or a change
    // that the system failed. Returns for any other error.
    void raiseRefusal(const DatabaseError& error, Access access, Clock::time_point start);
    // Runs `search` once more after this connection rolled back the journal that stopped it.
    void searchPastHotJournal(const std::function<void()>& search, const bool& rowsHandedOver);
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

    // Before the connection, which must close before the layer goes.
    JournalGuard journalGuard_;
    // Before the statements, so that it closes after every cached statement is finalized.
    std::unique_ptr<sqlite3, Closer> connection_;
    CatalogueFile file_;
    Confinement confinement_;
    std::filesystem::path path_;
    std::chrono::milliseconds busyWait_;
    std::unordered_map<std::string, std::unique_ptr<Statement>, TextHash, std::equal_to<>>
        statements_;
    int transactionDepth_ = 0;
    bool writeTransaction_ = false;
    // Set once a write found the file gone, until the outermost transaction ends.
    bool fileLost_ = false;
    Clock::time_point lastFileCheck_;
    std::chrono::milliseconds hostQueryTimeLimit_ = kDefaultHostQueryTimeLimit;
    BeforeFileCheck beforeFileCheck_;
};

template <typename Body>
decltype(auto) Database::run(Access access, std::string_view sql, const Body& body) {
    const Clock::time_point start = Clock::now();
    try {
        checkFileBeforeStatement(access, start);
        Statement& statement = prepare(sql);
        StatementReset reset(statement);
        return body(statement);
    } catch (const DatabaseError& error) {
        raiseRefusal(error, access, start);
        throw;
    }
}

template <typename... Args>
void Database::execute(std::string_view sql, const Args&... args) {
    run(Access::Change, sql, [&](Statement& statement) {
        statement.bindAll(args...);
        runToEnd(statement);
    });
}

template <typename... Args>
Recordset Database::snapshot(std::string_view sql, const Args&... args) {
    return run(Access::Read, sql, [&](Statement& statement) {
        statement.bindAll(args...);
        return Recordset::readAll(statement);
    });
}

template <typename... Args>
std::optional<Value> Database::scalar(std::string_view sql, const Args&... args) {
    return run(Access::Read, sql, [&](Statement& statement) {
        statement.bindAll(args...);
        return firstValue(statement);
    });
}

}  // namespace kt
