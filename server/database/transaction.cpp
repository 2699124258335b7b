#include "server/database/transaction.h"

#include <stdexcept>
#include <string>

#include "server/database/database.h"

namespace kt {

Transaction::Transaction(Database& database, Mode mode)
    : database_(database), savepoint_(database.beginTransaction(mode == Mode::Write)) {}

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
    database_.endTransaction();
}

}  // namespace kt
