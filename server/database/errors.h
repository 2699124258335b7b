#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kt {

// Source named by errors that do not name their own.
inline constexpr std::string_view kServerSource = "KT_OLE";

// Automation clients see catalogue errors as this base plus the error's own number.
inline constexpr std::int32_t kObjectErrorBase = static_cast<std::int32_t>(0x80040000u);

constexpr std::int32_t objectError(int n) {
    return kObjectErrorBase + n;
}

// Every failure the library reports: a number, where it came from and what happened.
class Error : public std::runtime_error {
public:
    Error(std::int32_t number, std::string source, const std::string& description);

    std::int32_t number() const noexcept { return number_; }
    const std::string& source() const noexcept { return source_; }
    std::string description() const { return what(); }

private:
    std::int32_t number_;
    std::string source_;
};

// A failure of the database engine or of the record layer above it; the number is the
// engine's result code.
class DatabaseError : public Error {
public:
    DatabaseError(int resultCode, const std::string& message);
};

// A catalogue error: objectError(n) with the given description.
Error catalogueError(int n, const std::string& description,
                     std::string source = std::string(kServerSource));

// Errors that some operations raise with their number as it stands, not offset.
Error plainError(std::int32_t number, std::string source, const std::string& description);

// Conversion failures of values read from the database.
Error overflowError();
Error invalidUseOfNull();
Error typeMismatch();

// Failures of the run time that the published collections and helpers share with hosts.
Error invalidProcedureCall();
Error subscriptOutOfRange();
Error objectNotSet();

// A member whose work has not been built yet.
Error notImplemented(std::string_view member);

}  // namespace kt
