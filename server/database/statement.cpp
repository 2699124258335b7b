#include "server/database/statement.h"

#include <sqlite3.h>

#include "server/database/errors.h"

namespace kt {

namespace {
void check(sqlite3* connection, int resultCode) {
    if (resultCode != SQLITE_OK) {
        throw DatabaseError(sqlite3_extended_errcode(connection), sqlite3_errmsg(connection));
    }
}
}  // namespace

Statement::Statement(sqlite3* connection, std::string_view sql, Lifetime lifetime)
    : connection_(connection) {
    const char* tail = nullptr;
    const unsigned flags = lifetime == Lifetime::Kept ? SQLITE_PREPARE_PERSISTENT : 0;
    check(connection_, sqlite3_prepare_v3(connection_, sql.data(), static_cast<int>(sql.size()),
                                          flags, &handle_, &tail));
    const std::string_view rest(tail, sql.data() + sql.size() - tail);
    // One statement per call: text after it would be silently ignored, or stacked on.
    if (handle_ == nullptr || rest.find_first_not_of(" \t\r\n;") != std::string_view::npos) {
        sqlite3_finalize(handle_);
        throw DatabaseError(SQLITE_MISUSE,
                            "Exactly one SQL statement is expected: " + std::string(sql));
    }
}

Statement::~Statement() {
    sqlite3_finalize(handle_);
}

void Statement::bindNull(int index) {
    check(connection_, sqlite3_bind_null(handle_, index));
}

void Statement::bindInteger(int index, std::int64_t value) {
    check(connection_, sqlite3_bind_int64(handle_, index, value));
}

void Statement::bindReal(int index, double value) {
    check(connection_, sqlite3_bind_double(handle_, index, value));
}

void Statement::bindText(int index, std::string_view value) {
    check(connection_, sqlite3_bind_text64(handle_, index, value.data(), value.size(),
                                           SQLITE_TRANSIENT, SQLITE_UTF8));
}

void Statement::bindValue(int index, const Value& value) {
    std::visit(
        [&](const auto& held) {
            using T = std::decay_t<decltype(held)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                bindNull(index);
            } else if constexpr (std::is_same_v<T, std::int64_t>) {
                bindInteger(index, held);
            } else if constexpr (std::is_same_v<T, double>) {
                bindReal(index, held);
            } else {
                bindText(index, held);
            }
        },
        value);
}

int Statement::parameterCount() const {
    return sqlite3_bind_parameter_count(handle_);
}

void Statement::checkParameterCount(int count) const {
    const int expected = parameterCount();
    if (count != expected) {
        throw DatabaseError(SQLITE_RANGE, "The statement takes " + std::to_string(expected) +
                                              " values, " + std::to_string(count) +
                                              " were given: " + sqlite3_sql(handle_));
    }
}

bool Statement::step() {
    const int resultCode = sqlite3_step(handle_);
    if (resultCode == SQLITE_ROW) {
        return true;
    }
    if (resultCode == SQLITE_DONE) {
        return false;
    }
    throw DatabaseError(sqlite3_extended_errcode(connection_), sqlite3_errmsg(connection_));
}

void Statement::reset() noexcept {
    sqlite3_reset(handle_);
    sqlite3_clear_bindings(handle_);
}

bool Statement::readOnly() const {
    return sqlite3_stmt_readonly(handle_) != 0;
}

int Statement::columnCount() const {
    return sqlite3_column_count(handle_);
}

std::string Statement::columnName(int index) const {
    return sqlite3_column_name(handle_, index);
}

Value Statement::column(int index) const {
    switch (sqlite3_column_type(handle_, index)) {
        case SQLITE_NULL:
            return std::monostate{};
        case SQLITE_INTEGER:
            return static_cast<std::int64_t>(sqlite3_column_int64(handle_, index));
        case SQLITE_FLOAT:
            return sqlite3_column_double(handle_, index);
        default: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(handle_, index));
            return std::string(text,
                               static_cast<std::size_t>(sqlite3_column_bytes(handle_, index)));
        }
    }
}

}  // namespace kt
