#include "server/database/database.h"

#include <sqlite3.h>

#include <stdexcept>

#include "server/database/catalogue_file.h"
#include "server/database/catalogue_refusals.h"
#include "server/database/errors.h"
#include "server/database/exclusive_file.h"
#include "server/database/field.h"
#include "server/database/transaction.h"

namespace kt {

namespace {

// Far more than the server's own statements.
constexpr std::size_t kMaxCachedStatements = 500;
// The engine's default: the journal lives beside the file only while a write is committed.
constexpr std::string_view kRollbackJournal = "delete";
// Files up to this size get the engine's quick check when they are opened (a few tenths of a
// second at most); larger ones only the check of their length.
constexpr std::uintmax_t kLargestQuickCheckedFile = 32 * 1024 * 1024;

// How many of the engine's instructions a statement of a write runs between two checks that the
// path still leads to the file: a stat every few hundred microseconds of a long statement.
constexpr int kInstructionsBetweenFileChecks = 10000;

int primaryCode(int resultCode) {
    return resultCode & 0xff;
}

// What `error`, met while opening the catalogue at `path`, stands for as the open's refusal.
DatabaseError openFailure(const std::filesystem::path& path, const DatabaseError& error) {
    if (std::optional<DatabaseError> refusal = openRefusal(error, path)) {
        return std::move(*refusal);
    }
    if (primaryCode(error.number()) == SQLITE_CORRUPT) {
        return catalogueDamaged(path, error.description());
    }
    return DatabaseError(error.number(), cannotDo("open", path) + error.description());
}

sqlite3* connect(const std::filesystem::path& path, int flags, std::chrono::milliseconds busyWait,
                 const char* fileLayer) {
    const auto start = std::chrono::steady_clock::now();
    sqlite3* connection = nullptr;
    const int resultCode =
        sqlite3_open_v2(path.c_str(), &connection, flags | SQLITE_OPEN_EXRESCODE, fileLayer);
    if (resultCode != SQLITE_OK) {
        const DatabaseError error(resultCode,
                                  connection ? sqlite3_errmsg(connection) : "out of memory");
        sqlite3_close(connection);
        if (lockedByAnotherProgram(error)) {
            throw CatalogueInUse(resultCode, path, "open", waitedSince(start), busyWait);
        }
        throw openFailure(path, error);
    }
    // No double-quoted string literals, no schema-defined code, no writes to the schema table.
    sqlite3_db_config(connection, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(connection, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_db_config(connection, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(connection, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_busy_timeout(connection, static_cast<int>(busyWait.count()));
    return connection;
}

// The system's error behind the engine's last failure on `connection`, where it kept one: the
// engine's own note, or else the one its catalogue file kept (a failed write of the file at a
// commit leaves no note).
int systemErrorOf(sqlite3* connection) {
    if (const int noted = sqlite3_system_errno(connection); noted != 0) {
        return noted;
    }
    int kept = 0;
    sqlite3_file_control(connection, "main", SQLITE_FCNTL_LAST_ERRNO, &kept);
    return kept;
}

// The path a catalogue is known by from its opening on: a relative one would lead elsewhere
// after a change of working directory.
std::filesystem::path absolutePath(const std::filesystem::path& path) {
    std::error_code unknown;
    std::filesystem::path absolute = std::filesystem::absolute(path, unknown);
    return unknown ? path : absolute;
}

// The file `connection` has just opened, or the refusal of one replaced meanwhile.
CatalogueFile identify(sqlite3* connection, const std::filesystem::path& path) {
    std::optional<CatalogueFile> file = openedCatalogueFile(connection);
    if (!file) {
        throw catalogueReplaced(path);
    }
    return std::move(*file);
}

}  // namespace

void Database::Closer::operator()(sqlite3* connection) const {
    sqlite3_close(connection);
}

Database::Database(std::filesystem::path path, int flags, std::chrono::milliseconds busyWait)
    : connection_(connect(path, flags, busyWait, journalGuard_.name())),
      file_(identify(connection_.get(), path)),
      confinement_(file_, path),
      path_(std::move(path)),
      busyWait_(busyWait) {
    // Nothing has been read yet: the first statement looks for a journal under the guard.
    journalGuard_.guard(file_);
    sqlite3_progress_handler(connection_.get(), kInstructionsBetweenFileChecks,
                             &Database::checkFileDuringStatement, this);
}

Database::~Database() = default;

std::unique_ptr<Database> Database::open(const std::filesystem::path& givenPath,
                                         std::chrono::milliseconds busyWait) {
    if (givenPath.empty()) {
        // The engine would open a private temporary database.
        throw DatabaseError(SQLITE_CANTOPEN, cannotDo("open", givenPath) + "no file is named.");
    }
    const std::filesystem::path path = absolutePath(givenPath);
    std::unique_ptr<Database> database(new Database(path, SQLITE_OPEN_READWRITE, busyWait));
    sqlite3* connection = database->connection_.get();
    std::optional<Value> catalogueTable;
    try {
        // Reading the schema is what finds out whether the file is a database at all, and
        // rolls back what a program that stopped part way through a write left.
        catalogueTable = database->scalar(
            "SELECT name FROM sqlite_schema WHERE type = 'table' AND name IN ('Entity', "
            "'Activity') COLLATE NOCASE");
    } catch (const DatabaseError& error) {
        throw openFailure(path, error);
    }
    if (sqlite3_db_readonly(connection, "main") == 1) {
        throw DatabaseError(SQLITE_READONLY, cannotDo("open", path) + "the file is read-only.");
    }
    if (!catalogueTable) {
        throw DatabaseError(SQLITE_NOTADB, cannotDo("open", path) + "the file is not a catalogue.");
    }
    std::string finding;
    try {
        // A write-ahead log, which a catalogue may still keep from an earlier build, holds
        // committed rows outside the file; going back to a rollback journal folds them in.
        if (Field("mode", *database->scalar("PRAGMA journal_mode")).asText() != kRollbackJournal) {
            database->execute("PRAGMA journal_mode = DELETE");
        }
        finding = database->damageFound();
    } catch (const DatabaseError& error) {
        throw openFailure(path, error);
    }
    if (!finding.empty()) {
        throw catalogueDamaged(path, finding);
    }
    return database;
}

std::string Database::damageFound() {
    // The read lock keeps other programs from changing the file while it is measured.
    Transaction reading(*this, Transaction::Mode::Read);
    scalar("SELECT COUNT(*) FROM sqlite_schema");
    const auto pageSize = std::get<std::int64_t>(*scalar("PRAGMA page_size"));
    const auto pageCount = std::get<std::int64_t>(*scalar("PRAGMA page_count"));
    std::error_code unknown;
    const std::uintmax_t fileSize = std::filesystem::file_size(path_, unknown);
    std::string finding;
    if (unknown) {
        // Nothing to measure against; the engine's own checks still hold.
    } else if (fileSize < static_cast<std::uintmax_t>(pageSize * pageCount)) {
        finding = "it is " + std::to_string(fileSize) + " bytes long, but its " +
                  std::to_string(pageCount) + " pages take " +
                  std::to_string(pageSize * pageCount) + " (was it cut short?)";
    } else if (fileSize <= kLargestQuickCheckedFile) {
        if (std::string verdict = Field("check", *scalar("PRAGMA quick_check(1)")).asText();
            verdict != "ok") {
            // The engine heads its first finding with the name of the schema.
            constexpr std::string_view kHeading = "*** in database main ***\n";
            if (verdict.starts_with(kHeading)) {
                verdict.erase(0, kHeading.size());
            }
            finding = std::move(verdict);
        }
    }
    reading.commit();
    return finding;
}

std::unique_ptr<Database> Database::create(const std::filesystem::path& givenPath) {
    const std::filesystem::path path = absolutePath(givenPath);
    if (const std::error_code error = createExclusively(path)) {
        const std::string reason =
            error == std::errc::file_exists ? "the file exists already." : error.message() + ".";
        throw DatabaseError(SQLITE_CANTOPEN,
                            "Cannot create \"" + givenPath.string() + "\": " + reason);
    }
    try {
        return std::unique_ptr<Database>(
            new Database(path, SQLITE_OPEN_READWRITE, kDefaultBusyWait));
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        throw;
    }
}

int Database::changes() const {
    return sqlite3_changes(connection_.get());
}

Statement& Database::prepare(std::string_view sql) {
    if (const auto found = statements_.find(sql); found != statements_.end()) {
        return *found->second;
    }
    auto statement = std::make_unique<Statement>(connection_.get(), sql);
    if (statements_.size() >= kMaxCachedStatements) {
        statements_.clear();
    }
    return *statements_.emplace(std::string(sql), std::move(statement)).first->second;
}

Recordset Database::confinedSnapshot(std::string_view sql, const ReadRules& rules) {
    std::optional<Recordset> rows;
    searchPastHotJournal([&] { rows.emplace(confinement_.snapshot(sql, rules)); }, false);
    return std::move(*rows);
}

void Database::confinedRows(std::string_view sql, const ReadRules& rules,
                            const std::function<void(const Recordset&)>& row) {
    bool handedOver = false;
    searchPastHotJournal(
        [&] {
            confinement_.eachRow(sql, rules, [&](const Recordset& current) {
                handedOver = true;
                row(current);
            });
        },
        handedOver);
}

void Database::searchPastHotJournal(const std::function<void()>& search,
                                    const bool& rowsHandedOver) {
    try {
        search();
        return;
    } catch (const DatabaseError& error) {
        if (error.number() != SQLITE_READONLY_ROLLBACK || rowsHandedOver) {
            throw;
        }
    }
    const auto unfinished = [&](const std::string& reason) {
        return DatabaseError(SQLITE_READONLY_ROLLBACK,
                             cannotDo("search", path_) +
                                 "another program stopped part way through changing it, and the "
                                 "server could not roll back what that program left (" +
                                 reason + "). Open the catalogue again.");
    };
    try {
        // A read of the library's own connection, which may write, rolls the journal back.
        scalar("SELECT COUNT(*) FROM sqlite_schema");
    } catch (const CatalogueInUse& locked) {
        throw locked.refusing("search");
    } catch (const ForeignJournal& foreign) {
        throw foreign.refusing("search");
    } catch (const DatabaseError& error) {
        throw unfinished(error.description());
    }
    try {
        search();
    } catch (const DatabaseError& error) {
        if (error.number() != SQLITE_READONLY_ROLLBACK) {
            throw;
        }
        throw unfinished(error.description());
    }
}

std::string Database::beginTransaction(bool write) {
    if (transactionDepth_ == 0) {
        execute(write ? "BEGIN IMMEDIATE" : "BEGIN DEFERRED");
        writeTransaction_ = write;
        ++transactionDepth_;
        return {};
    }
    if (write && !writeTransaction_) {
        throw std::logic_error("A writing operation cannot run inside a reading one.");
    }
    std::string savepoint = "kt_savepoint_" + std::to_string(transactionDepth_);
    execute("SAVEPOINT " + savepoint);
    ++transactionDepth_;
    return savepoint;
}

void Database::endTransaction() noexcept {
    if (--transactionDepth_ == 0) {
        writeTransaction_ = false;
        // The next operation checks the file afresh.
        fileLost_ = false;
    }
}

void Database::undo(std::string_view sql) {
    run(Access::Undo, sql, [](Statement& statement) { runToEnd(statement); });
}

void Database::checkFileBeforeStatement(Access access, Clock::time_point now) {
    if (access == Access::Undo) {
        return;
    }
    if (fileLost_) {
        throw CatalogueMoved(path_);
    }
    if (inWriteTransaction() && !fileAtPath(FileCheck::BeforeStatement, now)) {
        abandonWrite();
    }
}

int Database::checkFileDuringStatement(void* database) {
    auto& self = *static_cast<Database*>(database);
    if (!self.inWriteTransaction() || self.fileLost_) {
        return 0;
    }
    const Clock::time_point now = Clock::now();
    if (!self.fileCheckDue(now) || self.fileAtPath(FileCheck::DuringStatement, now)) {
        return 0;
    }
    // The statement stops with SQLITE_INTERRUPT; raiseRefusal rolls the rest back.
    self.fileLost_ = true;
    return 1;
}

bool Database::fileAtPath(FileCheck check, Clock::time_point now) {
    if (beforeFileCheck_) {
        beforeFileCheck_(check);
    }
    lastFileCheck_ = now;
    return file_.stillAtPath();
}

void Database::abandonWrite() {
    fileLost_ = inTransaction();
    // The journal is read through the descriptor the engine holds, so the pages go back into
    // the file they came from; then the journal is deleted by its name, which is still the
    // path's. An interrupted change may have ended the transaction already.
    if (sqlite3_get_autocommit(connection_.get()) == 0) {
        sqlite3_exec(connection_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
    throw CatalogueMoved(path_);
}

void Database::raiseRefusal(const DatabaseError& error, Access access, Clock::time_point start) {
    // A refusal already made stands: a statement of the library's own run while a search
    // hands over its rows.
    if (access == Access::Undo || dynamic_cast<const CatalogueInUse*>(&error) != nullptr ||
        dynamic_cast<const CatalogueMoved*>(&error) != nullptr) {
        return;
    }
    // The engine refuses a journal for a file that has moved; a check interrupted the statement.
    if (fileLost_ || error.number() == SQLITE_READONLY_DBMOVED) {
        abandonWrite();
    }
    const bool change = access == Access::Change || inWriteTransaction();
    const std::string_view refused = change ? "change" : "read";
    if (journalGuard_.refusedJournal()) {
        throw ForeignJournal(path_, refused);
    }
    if (change && fileFailure(error)) {
        throw changeFailed(path_, error, systemErrorOf(connection_.get()));
    }
    if (lockedByAnotherProgram(error)) {
        throw CatalogueInUse(error.number(), path_, refused, waitedSince(start), busyWait_);
    }
}

void Database::runToEnd(Statement& statement) {
    while (statement.step()) {
    }
}

std::optional<Value> Database::firstValue(Statement& statement) {
    if (!statement.step()) {
        return std::nullopt;
    }
    return statement.column(0);
}

}  // namespace kt
