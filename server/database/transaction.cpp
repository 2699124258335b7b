#include "server/database/transaction.h"

#include <stdexcept>

#include "server/database/database.h"

namespace kt {

Transaction::Transaction(Database& database, Mode mode) : database_(database) {
    wasWriteTransaction_ = database_.writeTransaction_;
    if (database_.transactionDepth_ == 0) {
        database_.execute(mode == Mode::Write ? "BEGIN IMMEDIATE" : "BEGIN DEFERRED");
        database_.writeTransaction_ = mode == Mode::Write;
    } else {
        if (mode == Mode::Write && !database_.writeTransaction_) {
            throw std::logic_error("A writing operation cannot run inside a reading one.");
        }
        savepoint_ = "kt_savepoint_" + std::to_string(database_.transactionDepth_);
        database_.execute("SAVEPOINT " + savepoint_);
    }
    ++database_.transactionDepth_;
}

Transaction::~Transaction() {
    if (active_) {
        rollback();
        end();
    }
}

void Transaction::commit() {
    if (!active_) {
        throw std::logic_error("The transaction has ended already.");
    }
    database_.execute(savepoint_.empty() ? "COMMIT" : "RELEASE " + savepoint_);
    end();
}

void Transaction::rollback() noexcept {
    try {
        if (savepoint_.empty()) {
            database_.undo("ROLLBACK");
        } else {
            database_.undo("ROLLBACK TO " + savepoint_);
            database_.undo("RELEASE " + savepoint_);
        }
    } catch (...) {
        // The engine may have rolled back already (a full disk, an interrupt, a file that
        // moved): nothing is left.
    }
}

void Transaction::end() noexcept {
    active_ = false;
    --database_.transactionDepth_;
    database_.writeTransaction_ = database_.transactionDepth_ > 0 && wasWriteTransaction_;
    // The next operation checks the file afresh.
    database_.fileLost_ = database_.fileLost_ && database_.transactionDepth_ > 0;
}

}  // namespace kt
