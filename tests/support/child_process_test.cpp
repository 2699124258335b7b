#include "tests/support/child_process.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>

namespace vrn::testing {
namespace {

using ::testing::HasSubstr;
using namespace std::chrono_literals;

// Long enough for a child to start; a test that waits this long has seen nothing come.
constexpr auto kShortWait = 200ms;

TEST(ChildProcessTest, AProgramOnThePathGetsItsArgumentsAndTheEnvironmentAskedFor) {
    ASSERT_EQ(::setenv("VRN_CHILD_DROPPED", "inherited", 1), 0);
    ChildProcess given({"printenv", "VRN_CHILD_SET"},
                       {.captureOutput = true, .settings = {"VRN_CHILD_SET=two words; $HOME"}});
    EXPECT_EQ(given.readLine(), "two words; $HOME");
    EXPECT_EQ(given.readLine(), std::nullopt);
    EXPECT_EQ(given.wait().exitStatus, 0);

    ChildProcess dropped({"printenv", "VRN_CHILD_DROPPED"},
                         {.captureOutput = true, .dropped = {"VRN_CHILD_DROPPED"}});
    EXPECT_EQ(dropped.readAll(), "");
    EXPECT_EQ(dropped.wait().exitStatus, 1);
    ::unsetenv("VRN_CHILD_DROPPED");
}

TEST(ChildProcessTest, AProgramThatCannotStartThrowsWithTheSystemsReason) {
    try {
        ChildProcess missing({"/nonexistent/program", "argument"});
        FAIL() << "started process " << missing.pid();
    } catch (const std::system_error& error) {
        EXPECT_THAT(error.what(), HasSubstr("cannot start /nonexistent/program"));
        EXPECT_THAT(error.what(), HasSubstr(std::strerror(ENOENT)));
    }
}

TEST(ChildProcessTest, AForkedFunctionReadsItsInputWritesItsOutputAndExitsWithItsResult) {
    ChildProcess echo(
        [] {
            char text[16] = {};
            const ssize_t got = ::read(STDIN_FILENO, text, sizeof text - 1);
            const std::string answer = "got " + std::string(text, got > 0 ? got : 0) + "\n";
            return ::write(STDOUT_FILENO, answer.data(), answer.size()) > 0 ? 7 : 1;
        },
        {.captureOutput = true, .feedInput = true});
    echo.write("go");
    EXPECT_EQ(echo.readLine(), "got go");
    const ChildEnding ending = echo.wait();
    EXPECT_EQ(ending.exitStatus, 7);
    EXPECT_EQ(ending.signal, 0);

    ChildProcess throwing([]() -> int { throw std::runtime_error("thrown in the child"); });
    EXPECT_EQ(throwing.wait().exitStatus, 1);
}

TEST(ChildProcessTest, WaitsEndAtTheirTimeout) {
    ChildProcess silent(
        [] {
            ::pause();
            return 0;
        },
        {.captureOutput = true});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(silent.readLine(kShortWait), std::nullopt);
    EXPECT_THROW(silent.readAll(kShortWait), std::runtime_error);
    EXPECT_THROW(silent.wait(kShortWait), std::runtime_error);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10 * kShortWait);
    const ChildEnding ending = silent.kill();
    EXPECT_EQ(ending.signal, SIGKILL);
    EXPECT_EQ(ending.exitStatus, -1);
}

TEST(ChildProcessTest, AChildStillRunningIsKilledAndWaitedForWhenTheObjectGoes) {
    pid_t pid = 0;
    {
        const ChildProcess running({"sleep", "600"});
        pid = running.pid();
        ASSERT_EQ(::kill(pid, 0), 0);
    }
    // Waited for: not even a zombie is left.
    EXPECT_EQ(::kill(pid, 0), -1);
    EXPECT_EQ(errno, ESRCH);
}

TEST(ChildProcessTest, KillTellsTheCpuTimeTheChildTook) {
    ChildProcess spinning([] {
        volatile unsigned spins = 0;
        for (;;) {
            spins = spins + 1;
        }
        return 0;
    });
    std::this_thread::sleep_for(kShortWait);
    EXPECT_GT(spinning.kill().cpuSeconds, 0.05);
}

// Run in a child of its own, since it takes every descriptor its process may open.
TEST(ChildProcessTest, APipeThatCannotBeMadeIsReported) {
    ChildProcess probe(
        [] {
            const rlimit stdioOnly{STDERR_FILENO + 1, STDERR_FILENO + 1};
            if (::setrlimit(RLIMIT_NOFILE, &stdioOnly) != 0) {
                return 2;
            }
            try {
                ChildProcess child([] { return 0; }, {.captureOutput = true});
            } catch (const std::system_error& error) {
                const std::string what = error.what();
                return ::write(STDOUT_FILENO, what.data(), what.size()) > 0 ? 0 : 3;
            }
            return 1;
        },
        {.captureOutput = true});
    const std::string told = probe.readAll();
    EXPECT_EQ(probe.wait().exitStatus, 0) << told;
    EXPECT_THAT(told, HasSubstr("cannot make a pipe"));
    EXPECT_THAT(told, HasSubstr(std::strerror(EMFILE)));
}

}  // namespace
}  // namespace vrn::testing
