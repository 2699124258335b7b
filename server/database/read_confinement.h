#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "server/database/recordset.h"
#include "server/database/search_files.h"
#include "server/database/search_functions.h"

struct sqlite3;

namespace kt {

struct CatalogueFile;
class QueryWatchdog;
class Statement;

// What a SELECT written outside the library may do: read the one table searched, only through
// the name of that table (the SELECT names its live rows so, see Confinement), and call plain
// functions of values, for at most `timeLimit`.
struct ReadRules {
    std::string searchedTable;
    std::chrono::milliseconds timeLimit;
};

// Keeps SQL from outside inside its rules. It runs on a read-only connection of its own to the
// catalogue file, opened with the library's own and held to the same file, which never runs the
// library's own statements: its limits, its gatekeeper and its functions hold for searches
// alone, and stopping a search cannot touch the library's work. Every search is bounded:
// - its text is at most kLongestQuery bytes, its expressions at most kDeepestExpression deep;
// - no row it reads and no value it makes is longer than kLongestValue;
// - it calls at most kMostFunctionCalls functions, each of which does work in proportion to
//   its arguments at most (printf, format, instr, replace and unhex are not offered, trim and
//   its kin only without a second argument);
// - LIKE and GLOB take patterns of at most kLongestPattern bytes and stop with the search;
// - it uses at most kMostMemory: its temporary storage (sorting, grouping, DISTINCT,
//   subqueries) stays in memory of the search's own, at most kTemporaryStorage of it (see
//   SearchFiles), and the engine keeps at most kCachedPages of the catalogue's pages and as
//   much of a sort in its own memory. None of that is a setting of the whole process: the
//   host's own use of the engine meets no limit of the search's. Where the engine counts its
//   memory (the host may turn that off), the search also stops once the engine's memory grew
//   by more than the rest while it ran, the values it holds at once included;
// - a watchdog interrupts it at its time limit, and it waits no longer than that for a lock.
class Confinement final : public SearchGuard {
public:
    static constexpr int kLongestQuery = 66 * 1024;
    static constexpr int kDeepestExpression = 500;
    static constexpr int kLongestValue = 8 * 1024 * 1024;
    static constexpr int kLongestPattern = 256;
    static constexpr int kMostFunctionCalls = 64;
    static constexpr std::int64_t kMostMemory = 64 * 1024 * 1024;
    // The catalogue's pages the engine keeps, which is also as much as each sort keeps in the
    // engine's memory before it writes to its temporary files.
    static constexpr std::int64_t kCachedPages = 2 * 1024 * 1024;
    // The search's temporary files; the rest of kMostMemory is the page cache, a sort's memory
    // and the engine's own working memory (the caches of its temporary tables, the values in
    // hand).
    static constexpr std::int64_t kTemporaryStorage = 48 * 1024 * 1024;
    static_assert(kTemporaryStorage + 2 * kCachedPages < kMostMemory);

    // Opens the search connection on `file`, which the library's own connection has open;
    // refuses (catalogueReplaced, naming `shownPath`) when its path leads to another file by now.
    Confinement(const CatalogueFile& file, std::filesystem::path shownPath);
    ~Confinement() override;
    Confinement(const Confinement&) = delete;
    Confinement& operator=(const Confinement&) = delete;

    // Prepares `sql` as a statement of its own (never kept), runs it to its end under the
    // rules and returns its rows. A refusal fails with SQLITE_AUTH and says what was refused;
    // running past the time limit fails with SQLITE_INTERRUPT, a value past the longest with
    // SQLITE_TOOBIG and memory past the most with SQLITE_NOMEM (even once every row was
    // read: the engine may have held it only for a moment), each naming the limit; a lock
    // held by another program fails with CatalogueInUse.
    Recordset snapshot(std::string_view sql, const ReadRules& rules);
    // The same, handing each row to `row` as it is read (Recordset::readEach) instead of
    // keeping them all.
    void eachRow(std::string_view sql, const ReadRules& rules,
                 const std::function<void(const Recordset&)>& row);

private:
    class Run;
    struct Closer {
        void operator()(sqlite3* connection) const;
    };

    bool keepGoing() const override;
    void refuse(std::string reason) override;

    sqlite3* connection() const { return connection_.get(); }
    // Runs `sql` under the rules, handing the prepared statement to `read`.
    void run(std::string_view sql, const ReadRules& rules,
             const std::function<void(Statement&)>& read);
    // Sets the page cache once, at the first search.
    void sizeCache();
    void prepareAndRead(std::string_view sql, const std::function<void(Statement&)>& read);
    static int authorize(void* self, int action, const char* first, const char* second,
                         const char* database, const char* source);
    int check(int action, const char* first, const char* second, const char* database,
              const char* source);
    int checkRead(std::string_view table, std::string_view column, const char* database,
                  const char* source);
    int checkFunction(std::string_view name);
    int refusal(std::string reason);

    std::filesystem::path catalogue_;
    SearchFiles files_{kTemporaryStorage};
    std::unique_ptr<sqlite3, Closer> connection_;  // after files_: closed before they go
    bool cacheSized_ = false;
    // Set while a confined run goes on.
    const ReadRules* rules_ = nullptr;
    const QueryWatchdog* watchdog_ = nullptr;
    int functionCalls_ = 0;
    std::string refusal_;
};

// "2 seconds", "0.25 seconds".
std::string describeTimeLimit(std::chrono::milliseconds limit);

}  // namespace kt
