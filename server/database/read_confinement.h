#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "server/database/recordset.h"

struct sqlite3;

namespace kt {

// What a SELECT written outside the library may do: read the named tables of the catalogue and
// call plain functions of values, for at most `timeLimit`.
struct ReadRules {
    std::vector<std::string> readableTables;
    std::chrono::milliseconds timeLimit;
};

// Keeps SQL from outside inside its rules on one connection. The gatekeeper is installed with
// the connection and lets everything through until a confined run starts, so the library's
// own statements are never held back by it.
class Confinement {
public:
    explicit Confinement(sqlite3* connection);
    Confinement(const Confinement&) = delete;
    Confinement& operator=(const Confinement&) = delete;

    // Prepares `sql` as a statement of its own (never cached), runs it to its end under the
    // rules and returns its rows. A refusal fails with SQLITE_AUTH and says what was refused;
    // running past the time limit fails with SQLITE_INTERRUPT and names the limit.
    Recordset snapshot(std::string_view sql, const ReadRules& rules);

private:
    class Run;

    static int authorize(void* self, int action, const char* first, const char* second,
                         const char* database, const char* trigger);
    static int progress(void* self);
    int check(int action, const char* first, const char* second, const char* database);
    int refuse(std::string reason);

    sqlite3* connection_;
    const ReadRules* rules_ = nullptr;  // set while a confined run goes on
    std::chrono::steady_clock::time_point deadline_;
    bool overTime_ = false;
    std::string refusal_;
};

// "2 seconds", "0.25 seconds".
std::string describeTimeLimit(std::chrono::milliseconds limit);

}  // namespace kt
