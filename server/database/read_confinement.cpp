#include "server/database/read_confinement.h"

#include <sqlite3.h>

#include <algorithm>

#include "server/database/errors.h"
#include "server/database/statement.h"
#include "server/database/text_compare.h"

namespace kt {

namespace {

// Steps of the engine between two looks at the clock.
constexpr int kStepsBetweenClockChecks = 1000;
// The longest text or blob a confined query may make or read: a search condition has no use
// for more, and an expression that keeps doubling a text stops here instead of filling memory.
constexpr int kLongestValue = 32 * 1024 * 1024;

// Functions of values only: none reaches files, extensions, the schema or the connection, and
// none makes a large value out of a small number (randomblob, zeroblob).
// clang-format off
constexpr std::string_view kPlainFunctions[] = {
    "->", "->>", "abs", "avg", "ceil", "ceiling", "char", "coalesce", "concat", "concat_ws",
    "count", "date", "datetime", "exp", "floor", "format", "glob", "group_concat", "hex", "ifnull",
    "iif", "instr", "json", "json_array", "json_array_length", "json_extract", "json_object",
    "json_quote", "json_type", "json_valid", "julianday", "length", "like", "likelihood", "likely",
    "ln", "log", "log10", "log2", "lower", "ltrim", "max", "min", "mod", "nullif", "octet_length",
    "pi", "pow", "power", "printf", "quote", "replace", "round", "rtrim", "sign", "soundex",
    "sqrt", "strftime", "string_agg", "substr", "substring", "sum", "time", "timediff", "total",
    "trim", "trunc", "typeof", "unhex", "unicode", "unixepoch", "unlikely", "upper",
};
// clang-format on

bool isPlainFunction(std::string_view name) {
    return std::ranges::any_of(
        kPlainFunctions, [&](std::string_view plain) { return equalsIgnoringCase(plain, name); });
}

int primaryCode(int resultCode) {
    return resultCode & 0xff;
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
    Run(Confinement& confinement, const ReadRules& rules) : confinement_(confinement) {
        confinement_.rules_ = &rules;
        confinement_.refusal_.clear();
        confinement_.overTime_ = false;
        confinement_.deadline_ = std::chrono::steady_clock::now() + rules.timeLimit;
        sqlite3_progress_handler(confinement_.connection_, kStepsBetweenClockChecks,
                                 &Confinement::progress, &confinement_);
        longestValue_ = sqlite3_limit(confinement_.connection_, SQLITE_LIMIT_LENGTH, kLongestValue);
    }
    ~Run() {
        sqlite3_limit(confinement_.connection_, SQLITE_LIMIT_LENGTH, longestValue_);
        sqlite3_progress_handler(confinement_.connection_, 0, nullptr, nullptr);
        confinement_.rules_ = nullptr;
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

private:
    Confinement& confinement_;
    int longestValue_ = 0;
};

Confinement::Confinement(sqlite3* connection) : connection_(connection) {
    sqlite3_set_authorizer(connection_, &Confinement::authorize, this);
}

Recordset Confinement::snapshot(std::string_view sql, const ReadRules& rules) {
    const Run run(*this, rules);
    try {
        Statement statement(connection_, sql, Statement::Lifetime::Once);
        if (statement.parameterCount() != 0) {
            throw DatabaseError(SQLITE_AUTH, "The query may take no parameters.");
        }
        if (!statement.readOnly()) {
            throw DatabaseError(SQLITE_AUTH, "The query may only read.");
        }
        return Recordset::readAll(statement);
    } catch (const DatabaseError& error) {
        // The engine reports some refusals as plain errors ("not authorized to use function").
        if (!refusal_.empty()) {
            throw DatabaseError(SQLITE_AUTH, refusal_);
        }
        if (primaryCode(error.number()) == SQLITE_INTERRUPT && overTime_) {
            throw DatabaseError(SQLITE_INTERRUPT, "The query ran past its time limit of " +
                                                      describeTimeLimit(rules.timeLimit) +
                                                      " and was stopped.");
        }
        throw;
    }
}

int Confinement::authorize(void* self, int action, const char* first, const char* second,
                           const char* database, const char* /*trigger*/) {
    return static_cast<Confinement*>(self)->check(action, first, second, database);
}

int Confinement::progress(void* self) {
    auto& confinement = *static_cast<Confinement*>(self);
    if (std::chrono::steady_clock::now() < confinement.deadline_) {
        return 0;
    }
    confinement.overTime_ = true;
    return 1;
}

int Confinement::check(int action, const char* first, const char* second, const char* database) {
    if (rules_ == nullptr) {
        return SQLITE_OK;
    }
    switch (action) {
        case SQLITE_SELECT:
            return SQLITE_OK;
        case SQLITE_READ: {
            const std::string_view table = first ? first : "";
            const bool mainFile = database == nullptr || equalsIgnoringCase(database, "main");
            const bool readable = std::ranges::any_of(
                rules_->readableTables,
                [&](const std::string& allowed) { return equalsIgnoringCase(allowed, table); });
            if (mainFile && readable) {
                return SQLITE_OK;
            }
            std::string allowed;
            for (const std::string& name : rules_->readableTables) {
                allowed += (allowed.empty() ? "" : ", ") + name;
            }
            return refuse("The query may read only " + allowed + "; it reads \"" +
                          std::string(table) + "\".");
        }
        case SQLITE_FUNCTION: {
            const std::string_view name = second ? second : "";
            if (isPlainFunction(name)) {
                return SQLITE_OK;
            }
            return refuse("The query may not call " + std::string(name) + ".");
        }
        case SQLITE_RECURSIVE:
            return refuse("The query may not hold a recursive WITH.");
        default:
            return refuse(
                "The query may only read: no changes, pragmas, attached files or virtual "
                "tables.");
    }
}

int Confinement::refuse(std::string reason) {
    // The first refusal is the one the text shows first.
    if (refusal_.empty()) {
        refusal_ = std::move(reason);
    }
    return SQLITE_DENY;
}

}  // namespace kt
