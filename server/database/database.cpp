#include "server/database/database.h"

#include <sqlite3.h>

#include "server/database/errors.h"
#include "server/database/exclusive_file.h"
#include "server/database/field.h"

namespace kt {

namespace {

// Long enough to wait out another process's write operation, or a host's search at its time
// limit (kDefaultHostQueryTimeLimit).
constexpr int kBusyTimeoutMs = 10000;
// Far more than the server's own statements.
constexpr std::size_t kMaxCachedStatements = 500;
// The engine's default: the journal lives beside the file only while a write is committed.
constexpr std::string_view kRollbackJournal = "delete";

std::string describe(const std::filesystem::path& path, sqlite3* connection) {
    const char* reason = connection ? sqlite3_errmsg(connection) : "out of memory";
    return "Cannot open the catalogue \"" + path.string() + "\": " + reason;
}

sqlite3* connect(const std::filesystem::path& path, int flags) {
    sqlite3* connection = nullptr;
    const int resultCode =
        sqlite3_open_v2(path.c_str(), &connection, flags | SQLITE_OPEN_EXRESCODE, nullptr);
    if (resultCode != SQLITE_OK) {
        DatabaseError error(resultCode, describe(path, connection));
        sqlite3_close(connection);
        throw error;
    }
    // No double-quoted string literals, no schema-defined code, no writes to the schema table.
    sqlite3_db_config(connection, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(connection, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_db_config(connection, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(connection, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_busy_timeout(connection, kBusyTimeoutMs);
    return connection;
}

}  // namespace

void Database::Closer::operator()(sqlite3* connection) const {
    sqlite3_close(connection);
}

Database::Database(sqlite3* connection, std::filesystem::path path)
    : connection_(connection), confinement_(connection), path_(std::move(path)) {}

Database::~Database() = default;

std::unique_ptr<Database> Database::open(const std::filesystem::path& path) {
    std::unique_ptr<Database> database(new Database(connect(path, SQLITE_OPEN_READWRITE), path));
    std::optional<Value> catalogueTable;
    try {
        // Reading the schema is what finds out whether the file is a database at all.
        catalogueTable = database->scalar(
            "SELECT name FROM sqlite_schema WHERE type = 'table' AND name IN ('Entity', "
            "'Activity') COLLATE NOCASE");
    } catch (const DatabaseError& error) {
        throw DatabaseError(error.number(), describe(path, database->connection_.get()));
    }
    if (sqlite3_db_readonly(database->connection_.get(), "main") == 1) {
        throw DatabaseError(SQLITE_READONLY, "Cannot open the catalogue \"" + path.string() +
                                                 "\": the file is read-only.");
    }
    if (!catalogueTable) {
        throw DatabaseError(SQLITE_NOTADB, "Cannot open the catalogue \"" + path.string() +
                                               "\": the file is not a catalogue.");
    }
    // A write-ahead log, which a catalogue may still keep from an earlier build, holds
    // committed rows outside the file; going back to a rollback journal folds them in.
    if (Field("mode", *database->scalar("PRAGMA journal_mode")).asText() != kRollbackJournal) {
        try {
            database->execute("PRAGMA journal_mode = DELETE");
        } catch (const DatabaseError& error) {
            // Another program still has it open with its log.
            throw DatabaseError(error.number(), describe(path, database->connection_.get()));
        }
    }
    return database;
}

std::unique_ptr<Database> Database::create(const std::filesystem::path& path) {
    if (const std::error_code error = createExclusively(path)) {
        const std::string reason =
            error == std::errc::file_exists ? "the file exists already." : error.message() + ".";
        throw DatabaseError(SQLITE_CANTOPEN, "Cannot create \"" + path.string() + "\": " + reason);
    }
    try {
        return std::unique_ptr<Database>(new Database(connect(path, SQLITE_OPEN_READWRITE), path));
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
    return confinement_.snapshot(sql, rules);
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
