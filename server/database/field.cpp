#include "server/database/field.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "server/database/blank_trim.h"
#include "server/database/errors.h"
#include "server/database/text_compare.h"

namespace kt {

namespace {

double textToNumber(std::string_view text) {
    text = trimBlanks(text);
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        throw typeMismatch();
    }
    return number;
}

// Rounds half to even, as whole-number conversions of the automation run time do.
template <typename Integer>
Integer toWholeNumber(const Value& value) {
    double number = 0;
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        if (*integer < std::numeric_limits<Integer>::min() ||
            *integer > std::numeric_limits<Integer>::max()) {
            throw overflowError();
        }
        return static_cast<Integer>(*integer);
    }
    if (const auto* real = std::get_if<double>(&value)) {
        number = *real;
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        number = textToNumber(*text);
    } else {
        throw invalidUseOfNull();
    }
    const double rounded = std::nearbyint(number);
    if (!(rounded >= std::numeric_limits<Integer>::min() &&
          rounded <= std::numeric_limits<Integer>::max())) {
        throw overflowError();
    }
    return static_cast<Integer>(rounded);
}

}  // namespace

std::int32_t Field::asLong() const {
    return toWholeNumber<std::int32_t>(*value_);
}

std::int16_t Field::asInteger() const {
    return toWholeNumber<std::int16_t>(*value_);
}

double Field::asDouble() const {
    if (const auto* integer = std::get_if<std::int64_t>(value_)) {
        return static_cast<double>(*integer);
    }
    if (const auto* real = std::get_if<double>(value_)) {
        return *real;
    }
    if (const auto* text = std::get_if<std::string>(value_)) {
        return textToNumber(*text);
    }
    throw invalidUseOfNull();
}

bool Field::asBoolean() const {
    if (const auto* text = std::get_if<std::string>(value_)) {
        const auto word = trimBlanks(*text);
        if (equalsIgnoringCase(word, "true")) {
            return true;
        }
        if (equalsIgnoringCase(word, "false")) {
            return false;
        }
    }
    return asDouble() != 0;
}

std::string Field::asText() const {
    if (const auto* integer = std::get_if<std::int64_t>(value_)) {
        return std::to_string(*integer);
    }
    if (const auto* real = std::get_if<double>(value_)) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, *real);
        return std::string(buffer, result.ptr);
    }
    if (const auto* text = std::get_if<std::string>(value_)) {
        return *text;
    }
    throw invalidUseOfNull();
}

}  // namespace kt
