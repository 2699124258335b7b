#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "server/database/value.h"

namespace kt {

// One column of the current row of a record set. It refers to the record set's storage and
// lives no longer than it.
class Field {
public:
    Field(std::string_view name, const Value& value) : name_(name), value_(&value) {}

    std::string_view name() const { return name_; }
    const Value& value() const { return *value_; }
    bool isNull() const { return kt::isNull(*value_); }

    // The conversions refuse Null ("Invalid use of Null"), values out of their range
    // ("Overflow") and text that is not a number ("Type mismatch").
    std::int32_t asLong() const;
    std::int16_t asInteger() const;
    double asDouble() const;
    bool asBoolean() const;
    std::string asText() const;

private:
    std::string_view name_;
    const Value* value_;
};

}  // namespace kt
