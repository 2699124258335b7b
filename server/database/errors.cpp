#include "server/database/errors.h"

#include <utility>

namespace kt {

namespace {
// Numbers the conversion failures share with the automation run time that hosts use.
constexpr std::int32_t kInvalidProcedureCall = 5;
constexpr std::int32_t kOverflow = 6;
constexpr std::int32_t kSubscriptOutOfRange = 9;
constexpr std::int32_t kTypeMismatch = 13;
constexpr std::int32_t kObjectNotSet = 91;
constexpr std::int32_t kInvalidUseOfNull = 94;
constexpr std::int32_t kNotImplemented = static_cast<std::int32_t>(0x80004001u);
}  // namespace

Error::Error(std::int32_t number, std::string source, const std::string& description)
    : std::runtime_error(description), number_(number), source_(std::move(source)) {}

DatabaseError::DatabaseError(int resultCode, const std::string& message)
    : Error(resultCode, "SQLite", message) {}

Error catalogueError(int n, const std::string& description, std::string source) {
    return Error(objectError(n), std::move(source), description);
}

Error plainError(std::int32_t number, std::string source, const std::string& description) {
    return Error(number, std::move(source), description);
}

Error overflowError() {
    return Error(kOverflow, std::string(kServerSource), "Overflow");
}

Error invalidUseOfNull() {
    return Error(kInvalidUseOfNull, std::string(kServerSource), "Invalid use of Null");
}

Error typeMismatch() {
    return Error(kTypeMismatch, std::string(kServerSource), "Type mismatch");
}

Error invalidProcedureCall() {
    return Error(kInvalidProcedureCall, std::string(kServerSource),
                 "Invalid procedure call or argument");
}

Error subscriptOutOfRange() {
    return Error(kSubscriptOutOfRange, std::string(kServerSource), "Subscript out of range");
}

Error objectNotSet() {
    return Error(kObjectNotSet, std::string(kServerSource),
                 "Object variable or With block variable not set");
}

Error notImplemented(std::string_view member) {
    return Error(kNotImplemented, std::string(kServerSource),
                 std::string(member) + " is not implemented yet.");
}

}  // namespace kt
