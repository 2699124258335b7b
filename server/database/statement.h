#pragma once

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "server/database/value.h"

struct sqlite3;
struct sqlite3_stmt;

namespace kt {

// One prepared SQL statement. Values reach it only as bound parameters ("?").
class Statement {
public:
    // How long the statement is meant to live: the engine places long-lived ones apart.
    enum class Lifetime { Kept, Once };

    Statement(sqlite3* connection, std::string_view sql, Lifetime lifetime = Lifetime::Kept);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Parameters are numbered from 1.
    void bindNull(int index);
    void bindInteger(int index, std::int64_t value);
    void bindReal(int index, double value);
    void bindText(int index, std::string_view value);
    void bindValue(int index, const Value& value);

    // Binds every argument in order; the count must match the statement's parameters.
    template <typename... Args>
    void bindAll(const Args&... args);

    // Runs to the next row: true while there is one.
    bool step();
    // Makes the statement ready to run again, with no parameter bound.
    void reset() noexcept;

    // True when running the statement cannot change the database.
    bool readOnly() const;
    // How many parameters the statement takes.
    int parameterCount() const;

    int columnCount() const;
    std::string columnName(int index) const;
    Value column(int index) const;

private:
    void checkParameterCount(int count) const;
    template <typename T>
    void bindArgument(int index, const T& value);

    sqlite3* connection_;
    sqlite3_stmt* handle_ = nullptr;
};

// Resets a statement when the scope that ran it ends, so no read lock outlives its use.
class StatementReset {
public:
    explicit StatementReset(Statement& statement) : statement_(statement) {}
    ~StatementReset() { statement_.reset(); }
    StatementReset(const StatementReset&) = delete;
    StatementReset& operator=(const StatementReset&) = delete;

private:
    Statement& statement_;
};

template <typename... Args>
void Statement::bindAll(const Args&... args) {
    checkParameterCount(static_cast<int>(sizeof...(Args)));
    int index = 0;
    (bindArgument(++index, args), ...);
}

template <typename T>
void Statement::bindArgument(int index, const T& value) {
    if constexpr (std::is_same_v<T, bool>) {
        bindInteger(index, value ? 1 : 0);
    } else if constexpr (std::is_enum_v<T>) {
        bindInteger(index,
                    static_cast<std::int64_t>(static_cast<std::underlying_type_t<T>>(value)));
    } else if constexpr (std::is_integral_v<T>) {
        bindInteger(index, static_cast<std::int64_t>(value));
    } else if constexpr (std::is_floating_point_v<T>) {
        bindReal(index, static_cast<double>(value));
    } else if constexpr (std::is_same_v<T, Value>) {
        bindValue(index, value);
    } else if constexpr (std::is_same_v<T, std::monostate> || std::is_same_v<T, std::nullopt_t> ||
                         std::is_same_v<T, std::nullptr_t>) {
        bindNull(index);
    } else if constexpr (requires {
                             value.has_value();
                             *value;
                         }) {
        if (value.has_value()) {
            bindArgument(index, *value);
        } else {
            bindNull(index);
        }
    } else {
        static_assert(std::is_convertible_v<const T&, std::string_view>,
                      "bind a number, a Boolean, text, a Value or Null");
        bindText(index, std::string_view(value));
    }
}

}  // namespace kt
