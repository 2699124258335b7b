#pragma once

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/types.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "model/file/safe_save_file.h"
#include "tests/support/child_process.h"

// Saves made in a child process: as another user, or with the process set up otherwise, and
// with a limit on how long they may take.

namespace vrn::testing {

// The user the other user's side of a test runs as.
inline constexpr uid_t kNobody = 65534;
// A child that takes longer than this is taken to wait for good.
inline constexpr std::chrono::seconds kChildTime{10};

// Saves `bytes` to `target`: "saved", or the refusal's code and text.
inline std::string SaveBytes(const std::filesystem::path& target, const std::string& bytes) {
    try {
        SafeSaveFile file(target);
        file.Write(bytes);
        file.Commit();
        return "saved";
    } catch (const std::system_error& error) {
        return std::to_string(error.code().value()) + " " + error.what();
    }
}

// Makes this process `user`, of the group of the same number and of the other `groups`.
inline bool BecomeUser(uid_t user, const std::vector<gid_t>& groups = {}) {
    return ::setgroups(groups.size(), groups.data()) == 0 && ::setgid(user) == 0 &&
           ::setuid(user) == 0;
}

// Runs `work` in a child process once `prepare` has set it up, and returns what `work` returned;
// nullopt when `prepare` failed. A child still running after kChildTime is ended, and the test
// fails.
inline std::optional<std::string> InChild(const std::function<bool()>& prepare,
                                          const std::function<std::string()>& work) {
    constexpr int kNotPrepared = 3;
    ChildProcess child(
        [&] {
            if (!prepare()) {
                return kNotPrepared;
            }
            const std::string result = work();
            return ::write(STDOUT_FILENO, result.data(), result.size()) ==
                           static_cast<ssize_t>(result.size())
                       ? 0
                       : 1;
        },
        {.captureOutput = true});
    std::string result;
    ChildEnding ending;
    try {
        result = child.readAll(kChildTime);
        ending = child.wait(kChildTime);
    } catch (const std::system_error& error) {
        ADD_FAILURE() << "the child did not finish within " << kChildTime.count()
                      << " seconds: " << error.what();
        return "did not finish";
    }
    if (ending.exitStatus == kNotPrepared) {
        return std::nullopt;
    }
    EXPECT_EQ(ending.exitStatus, 0) << result;
    return result;
}

}  // namespace vrn::testing
