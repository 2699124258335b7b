#include "server/database/read_confinement.h"

#include <sqlite3.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "server/database/catalogue_file.h"
#include "server/database/catalogue_refusals.h"
#include "server/database/database.h"
#include "server/database/errors.h"
#include "server/database/query_watchdog.h"
#include "server/database/statement.h"
#include "server/database/text_compare.h"

namespace kt {

namespace {

// Far more arguments than a plain function of values takes.
constexpr int kMostFunctionArguments = 32;
// How often a running search looks at the engine's memory, in steps of the engine's program.
constexpr int kStepsBetweenMemoryChecks = 1000;

// Functions of values whose one call does work in proportion to its arguments at most: none
// reaches files, extensions, the schema or the connection, and none makes a large value out of
// a small number (randomblob, zeroblob, printf and format widths) or compares every part of
// one argument with every part of another (instr, replace, unhex with ignored characters).
// clang-format off
constexpr std::string_view kPlainFunctions[] = {
    "->", "->>", "abs", "avg", "ceil", "ceiling", "char", "coalesce", "concat", "concat_ws",
    "count", "date", "datetime", "exp", "floor", "glob", "group_concat", "hex", "ifnull", "iif",
    "json", "json_array", "json_array_length", "json_extract", "json_object", "json_quote",
    "json_type", "json_valid", "julianday", "length", "like", "likelihood", "likely", "ln", "log",
    "log10", "log2", "lower", "ltrim", "max", "min", "mod", "nullif", "octet_length", "pi", "pow",
    "power", "quote", "round", "rtrim", "sign", "soundex", "sqrt", "strftime", "string_agg",
    "substr", "substring", "sum", "time", "timediff", "total", "trim", "trunc", "typeof",
    "unicode", "unixepoch", "unlikely", "upper",
};
// clang-format on

bool isPlainFunction(std::string_view name) {
    return std::ranges::any_of(
        kPlainFunctions, [&](std::string_view plain) { return equalsIgnoringCase(plain, name); });
}

int primaryCode(int resultCode) {
    return resultCode & 0xff;
}

void limitSearches(sqlite3* connection) {
    sqlite3_limit(connection, SQLITE_LIMIT_SQL_LENGTH, Confinement::kLongestQuery);
    sqlite3_limit(connection, SQLITE_LIMIT_EXPR_DEPTH, Confinement::kDeepestExpression);
    sqlite3_limit(connection, SQLITE_LIMIT_LENGTH, Confinement::kLongestValue);
    sqlite3_limit(connection, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, Confinement::kLongestPattern);
    sqlite3_limit(connection, SQLITE_LIMIT_FUNCTION_ARG, kMostFunctionArguments);
    sqlite3_limit(connection, SQLITE_LIMIT_ATTACHED, 0);
    sqlite3_limit(connection, SQLITE_LIMIT_WORKER_THREADS, 0);
    sqlite3_db_config(connection, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(connection, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_db_config(connection, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(connection, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
}

std::string megabytes(std::int64_t bytes) {
    return std::to_string(bytes / (1024 * 1024)) + " MB";
}

DatabaseError tooMuchMemory() {
    return DatabaseError(SQLITE_NOMEM,
                         "The search needs more than the " + megabytes(Confinement::kMostMemory) +
                             " of memory that the server allows one search, its temporary "
                             "storage for sorting, grouping and subqueries included. Narrow the "
                             "condition, or split the search into smaller ones.");
}

// The engine's count is the whole program's: the search alone may not have needed that much.
DatabaseError countedPastMemory() {
    return DatabaseError(SQLITE_NOMEM,
                         "The search was stopped when the database engine's memory had grown by "
                         "more than the " +
                             megabytes(Confinement::kMostMemory) +
                             " that the server allows one search. That count includes the "
                             "program's other use of the database engine at that moment, so "
                             "trying again may succeed; if it does not, narrow the condition, or "
                             "split the search into smaller ones.");
}

}  // namespace

std::string describeTimeLimit(std::chrono::milliseconds limit) {
    const auto count = limit.count();
    std::string text = std::to_string(count / 1000);
    if (const auto rest = count % 1000; rest != 0) {
        std::string fraction = std::to_string(1000 + rest).substr(1);
        fraction.erase(fraction.find_last_not_of('0') + 1);
        text += "." + fraction;
    }
    return text + (count == 1000 ? " second" : " seconds");
}

// Puts the rules in force for one statement, and takes them out again however it ends.
class Confinement::Run {
public:
    Run(Confinement& confinement, const ReadRules& rules)
        : confinement_(confinement),
          start_(std::chrono::steady_clock::now()),
          watchdog_(confinement.connection(), start_ + rules.timeLimit) {
        confinement_.rules_ = &rules;
        confinement_.watchdog_ = &watchdog_;
        confinement_.refusal_.clear();
        confinement_.functionCalls_ = 0;
        sqlite3_busy_timeout(confinement_.connection(), static_cast<int>(rules.timeLimit.count()));
        confinement_.files_.startSearch();
        sqlite3_progress_handler(confinement_.connection(), kStepsBetweenMemoryChecks,
                                 &Run::checkMemory, this);
    }
    ~Run() {
        sqlite3_progress_handler(confinement_.connection(), 0, nullptr, nullptr);
        confinement_.rules_ = nullptr;
        confinement_.watchdog_ = nullptr;
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    bool expired() const { return watchdog_.expired(); }
    std::chrono::steady_clock::time_point start() const { return start_; }
    // The refusal of a search that used more than kMostMemory, as far as can be told now:
    // its temporary storage past its budget, or the engine's count past the rest.
    std::optional<DatabaseError> memoryRefusal() const {
        const SearchFiles& files = confinement_.files_;
        if (files.refused()) {
            return tooMuchMemory();
        }
        if (memory_.passed(files.peak())) {
            return countedPastMemory();
        }
        return std::nullopt;
    }

private:
    // The engine's own memory as far as it counts it (not at all once the host has turned
    // its memory statistics off): the most it grew by since the search began, which with the
    // most the temporary files held stays within kMostMemory. The count is the whole
    // process's, the host's other threads included; it only ever stops the search, never
    // limits anyone. The engine's high-water mark starts anew with each search: values that
    // one row's work holds for a moment (many copies of one large value) show there alone.
    class EngineMemory {
    public:
        EngineMemory() {
            sqlite3_int64 peak = 0;
            sqlite3_status64(SQLITE_STATUS_MEMORY_USED, &start_, &peak, 1);
        }
        bool passed(std::int64_t temporaryStorage) const {
            sqlite3_int64 now = 0;
            sqlite3_int64 peak = 0;
            sqlite3_status64(SQLITE_STATUS_MEMORY_USED, &now, &peak, 0);
            return peak - start_ + temporaryStorage > kMostMemory;
        }

    private:
        sqlite3_int64 start_ = 0;
    };

    // Now and then while the statement runs: stops it once it used too much memory.
    static int checkMemory(void* run) {
        const Run& self = *static_cast<const Run*>(run);
        return self.memory_.passed(self.confinement_.files_.used()) ? 1 : 0;
    }

    Confinement& confinement_;
    std::chrono::steady_clock::time_point start_;
    QueryWatchdog watchdog_;
    EngineMemory memory_;
};

void Confinement::Closer::operator()(sqlite3* connection) const {
    sqlite3_close(connection);
}

Confinement::Confinement(const CatalogueFile& file, std::filesystem::path shownPath)
    : catalogue_(std::move(shownPath)) {
    sqlite3* opened = nullptr;
    const int resultCode = sqlite3_open_v2(
        file.path.c_str(), &opened,
        SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE, files_.name());
    connection_.reset(opened);
    if (resultCode != SQLITE_OK) {
        const std::string reason = opened ? sqlite3_errmsg(opened) : "out of memory";
        throw DatabaseError(resultCode, cannotDo("search", catalogue_) + reason);
    }
    // Between the two opens the path may have come to lead to another file.
    if (const auto searched = openedCatalogueFile(opened); !searched || !searched->sameFile(file)) {
        throw catalogueReplaced(catalogue_);
    }
    limitSearches(opened);
    // Sorting, grouping and subqueries keep what passes the engine's caches in temporary files,
    // which the search's file layer holds in memory within its budget; kept in the engine's
    // own memory instead, they would meet no bound of the search's.
    if (const int code =
            sqlite3_exec(opened, "PRAGMA temp_store = FILE", nullptr, nullptr, nullptr);
        code != SQLITE_OK) {
        throw DatabaseError(code, cannotDo("search", catalogue_) + sqlite3_errmsg(opened));
    }
    installSearchFunctions(opened, *this);
    sqlite3_set_authorizer(opened, &Confinement::authorize, this);
}

Confinement::~Confinement() = default;

Recordset Confinement::snapshot(std::string_view sql, const ReadRules& rules) {
    std::optional<Recordset> rows;
    run(sql, rules, [&](Statement& statement) { rows.emplace(Recordset::readAll(statement)); });
    return std::move(*rows);
}

void Confinement::eachRow(std::string_view sql, const ReadRules& rules,
                          const std::function<void(const Recordset&)>& row) {
    run(sql, rules, [&](Statement& statement) { Recordset::readEach(statement, row); });
}

void Confinement::run(std::string_view sql, const ReadRules& rules,
                      const std::function<void(Statement&)>& read) {
    const Run confined(*this, rules);
    try {
        sizeCache();
        prepareAndRead(sql, read);
    } catch (const CatalogueInUse&) {
        // A statement of the library's own, run while the rows are handed over, met the lock.
        throw;
    } catch (const DatabaseError& error) {
        // The engine reports some refusals as plain errors ("not authorized to use function").
        if (!refusal_.empty()) {
            throw DatabaseError(SQLITE_AUTH, refusal_);
        }
        // Stopped for its memory, or failed on the way there (a write past the budget).
        if (std::optional<DatabaseError> refusal = confined.memoryRefusal()) {
            throw std::move(*refusal);
        }
        switch (primaryCode(error.number())) {
            case SQLITE_INTERRUPT:
                if (confined.expired()) {
                    throw DatabaseError(SQLITE_INTERRUPT, "The query ran past its time limit of " +
                                                              describeTimeLimit(rules.timeLimit) +
                                                              " and was stopped.");
                }
                break;
            case SQLITE_TOOBIG:
                throw DatabaseError(SQLITE_TOOBIG,
                                    "The query reads a row or makes a value longer "
                                    "than " +
                                        megabytes(kLongestValue) + ", the most a search handles.");
            case SQLITE_NOMEM:
                throw tooMuchMemory();
            case SQLITE_BUSY:
            case SQLITE_LOCKED:
                throw CatalogueInUse(error.number(), catalogue_, "search",
                                     waitedSince(confined.start()), rules.timeLimit);
            default:
                break;
        }
        throw;
    }
    if (std::optional<DatabaseError> refusal = confined.memoryRefusal()) {
        throw std::move(*refusal);
    }
}

void Confinement::sizeCache() {
    if (cacheSized_) {
        return;
    }
    // Pages stay cached between searches while the file is unchanged. The size also bounds
    // what a sort keeps in memory before it writes to a temporary file. (A negative size
    // counts kilobytes.) The setting reads the schema, so it waits for the first search and
    // its bounds; the gatekeeper, which refuses every pragma, stands aside for it.
    sqlite3* searching = connection();
    sqlite3_set_authorizer(searching, nullptr, nullptr);
    const std::string setting = "PRAGMA cache_size = -" + std::to_string(kCachedPages / 1024);
    const int code = sqlite3_exec(searching, setting.c_str(), nullptr, nullptr, nullptr);
    sqlite3_set_authorizer(searching, &Confinement::authorize, this);
    if (code != SQLITE_OK) {
        throw DatabaseError(sqlite3_extended_errcode(searching), sqlite3_errmsg(searching));
    }
    cacheSized_ = true;
}

void Confinement::prepareAndRead(std::string_view sql,
                                 const std::function<void(Statement&)>& read) {
    Statement statement(connection(), sql, Statement::Lifetime::Once);
    if (statement.parameterCount() != 0) {
        throw DatabaseError(SQLITE_AUTH, "The query may take no parameters.");
    }
    if (!statement.readOnly()) {
        throw DatabaseError(SQLITE_AUTH, "The query may only read.");
    }
    read(statement);
}

bool Confinement::keepGoing() const {
    return watchdog_ == nullptr || !watchdog_->expired();
}

void Confinement::refuse(std::string reason) {
    // The first refusal is the one the text shows first.
    if (refusal_.empty()) {
        refusal_ = std::move(reason);
    }
}

int Confinement::refusal(std::string reason) {
    refuse(std::move(reason));
    return SQLITE_DENY;
}

int Confinement::authorize(void* self, int action, const char* first, const char* second,
                           const char* database, const char* source) {
    return static_cast<Confinement*>(self)->check(action, first, second, database, source);
}

int Confinement::check(int action, const char* first, const char* second, const char* database,
                       const char* source) {
    if (rules_ == nullptr) {
        return refusal("Searches run only through the library.");
    }
    switch (action) {
        case SQLITE_SELECT:
            return SQLITE_OK;
        case SQLITE_READ:
            return checkRead(first ? first : "", second ? second : "", database, source);
        case SQLITE_FUNCTION:
            return checkFunction(second ? second : "");
        case SQLITE_RECURSIVE:
            return refusal("The query may not hold a recursive WITH.");
        default:
            return refusal(
                "The query may only read: no changes, pragmas, attached files or virtual "
                "tables.");
    }
}

int Confinement::checkRead(std::string_view table, std::string_view column, const char* database,
                           const char* source) {
    const std::string& searched = rules_->searchedTable;
    const bool mainFile = database == nullptr || equalsIgnoringCase(database, "main");
    if (!mainFile || !equalsIgnoringCase(table, searched)) {
        return refusal("The query may read only " + searched + "; it reads \"" +
                       std::string(table) + "\".");
    }
    // A table whose rows are only counted is read under no column and no source. Any column
    // is read through the live rows that carry the table's name.
    if (column.empty() || (source != nullptr && equalsIgnoringCase(source, searched))) {
        return SQLITE_OK;
    }
    return refusal("The query may read " + searched + " only by that name.");
}

int Confinement::checkFunction(std::string_view name) {
    if (!isPlainFunction(name)) {
        return refusal("The query may not call " + std::string(name) + ".");
    }
    if (++functionCalls_ > kMostFunctionCalls) {
        return refusal("The query may call at most " + std::to_string(kMostFunctionCalls) +
                       " functions (LIKE and GLOB count as calls).");
    }
    return SQLITE_OK;
}

}  // namespace kt
