#pragma once

#include <cstdint>
#include <memory>

namespace kt {

class FileLayer;

// The files of one search connection, as the engine sees them through a file layer of the
// library's own. The catalogue and its journals are the system's files, reached through the
// engine's default file layer as by any other connection. Every temporary file the engine makes
// for a search (sorting, DISTINCT, GROUP BY, subqueries, statement journals) stays in memory of
// the library's own instead, and together they hold at most `budget` bytes: a write past it
// fails with SQLITE_FULL, which ends the statement. Nothing else sees the budget: the layer is
// registered under a name of its own for the life of the object, never as the default, and
// only a connection opened with that name uses it. That connection must be closed first.
class SearchFiles {
public:
    explicit SearchFiles(std::int64_t budget);
    ~SearchFiles();
    SearchFiles(const SearchFiles&) = delete;
    SearchFiles& operator=(const SearchFiles&) = delete;

    // The name to open the search connection with.
    const char* name() const;
    // The bytes the temporary files hold now, and the most they held since startSearch().
    std::int64_t used() const { return used_; }
    std::int64_t peak() const { return peak_; }
    // True once a write was refused for the budget since startSearch().
    bool refused() const { return refused_; }
    void startSearch();

    // For the temporary files: takes `bytes` from the budget, or refuses (false, nothing
    // taken) when that would pass it; gives bytes back when a file shrinks or closes.
    bool take(std::int64_t bytes);
    void giveBack(std::int64_t bytes) { used_ -= bytes; }

private:
    std::int64_t budget_;
    std::int64_t used_ = 0;
    std::int64_t peak_ = 0;
    bool refused_ = false;
    std::unique_ptr<FileLayer> layer_;  // last: registered once everything it uses is there
};

}  // namespace kt
