#pragma once

#include <string>

namespace kt {

class Database;

// Makes one operation take effect whole or not at all. The outermost guard begins a
// transaction, nested guards set a savepoint inside it; each commits with commit() and rolls
// back, when it ends uncommitted (an exception passing through), exactly what it covered.
//
// A Write guard takes the database's write lock at its start, so keys read as MAX + 1 stay
// unique while other processes write the same file; every statement inside it first checks
// that the catalogue's path still leads to the opened file (Database). A Read guard takes no
// lock; nothing nested inside it may write.
class Transaction {
public:
    enum class Mode { Write, Read };

    explicit Transaction(Database& database, Mode mode = Mode::Write);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    void rollback() noexcept;
    void end() noexcept;

    Database& database_;
    std::string savepoint_;  // empty for the outermost guard
    bool active_ = true;
};

}  // namespace kt
