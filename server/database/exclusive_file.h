#pragma once

#include <filesystem>
#include <system_error>

namespace kt {

// Creates an empty file at `path`, only when no file is there: of two processes racing for the
// same path exactly one succeeds. Fails with std::errc::file_exists when the path is taken.
std::error_code createExclusively(const std::filesystem::path& path);

// Gives the finished file `from` the name `to`, only when no file is there, in one step: a
// file that appears at `to` meanwhile, even a moment before, is never replaced. Fails with
// std::errc::file_exists when the path is taken; `from` is then left as it was.
std::error_code publishWithoutReplacing(const std::filesystem::path& from,
                                        const std::filesystem::path& to);

}  // namespace kt
