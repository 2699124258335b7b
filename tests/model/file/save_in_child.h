#pragma once

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "model/file/descriptor.h"
#include "model/file/safe_save_file.h"

// Saves made in a child process: as another user, or with the process set up otherwise, and
// with a limit on how long they may take.

namespace vrn::testing {

// The user the other user's side of a test runs as.
inline constexpr uid_t kNobody = 65534;
// A child that takes longer than this is taken to wait for good.
inline constexpr unsigned kChildSeconds = 10;

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
// nullopt when `prepare` failed. A child still running after kChildSeconds is ended, and the test
// fails.
inline std::optional<std::string> InChild(const std::function<bool()>& prepare,
                                          const std::function<std::string()>& work) {
    constexpr int kNotPrepared = 3;
    int pipe[2];
    if (::pipe(pipe) != 0) {
        ADD_FAILURE() << "no pipe";
        return std::nullopt;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        ::alarm(kChildSeconds);
        if (!prepare()) {
            ::_exit(kNotPrepared);
        }
        const std::string result = work();
        const bool told =
            ::write(pipe[1], result.data(), result.size()) == static_cast<ssize_t>(result.size());
        ::_exit(told ? 0 : 1);
    }
    ::close(pipe[1]);
    const Descriptor reading(pipe[0]);
    std::string result;
    char chunk[256];
    for (ssize_t got; (got = ::read(reading.get(), chunk, sizeof chunk)) > 0;) {
        result.append(chunk, static_cast<std::size_t>(got));
    }
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, 0), child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == kNotPrepared) {
        return std::nullopt;
    }
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM) {
        ADD_FAILURE() << "the child did not finish within " << kChildSeconds << " seconds";
        return "did not finish";
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << result;
    return result;
}

}  // namespace vrn::testing
