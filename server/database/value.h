#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace kt {

// A column value as the engine hands it over: Null, integer, real or text.
using Value = std::variant<std::monostate, std::int64_t, double, std::string>;

inline bool isNull(const Value& value) {
    return std::holds_alternative<std::monostate>(value);
}

}  // namespace kt
