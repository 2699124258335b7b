#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/file/descriptor.h"

namespace vrn::testing {

// How a child process ended.
struct ChildEnding {
    int exitStatus = -1;    // -1 when a signal ended it
    int signal = 0;         // the signal that ended it; 0 when it exited
    double cpuSeconds = 0;  // its user and system time
};

// What a child process is given.
struct ChildOptions {
    bool captureOutput = false;  // its standard output on a pipe that this process reads
    bool feedInput = false;      // its standard input on a pipe that this process writes
    // A program's standard error on /dev/null.
    bool quietErrors = false;
    // A program's environment: this process's, without the variables named in `dropped`
    // and with `settings` ("NAME=value") in place of those of their names.
    std::vector<std::string> settings{};
    std::vector<std::string> dropped{};
};

// A child process of a test or a benchmark: a program started with its argument list (no shell),
// or a function run in a forked copy of this process. Whatever the system refuses on the way (a
// pipe, the start, a read, a write, a wait) throws std::system_error with the system's reason. A
// child still running when the object goes is killed; every child is waited for.
class ChildProcess {
public:
    // How long a read or a wait waits unless told otherwise: far longer than any child takes.
    static constexpr std::chrono::milliseconds kPatience = std::chrono::minutes(2);

    // Starts the program `arguments[0]`, looked up on the PATH when its name has no slash.
    explicit ChildProcess(const std::vector<std::string>& arguments,
                          const ChildOptions& options = {});
    // Runs `body` in a forked copy of this process, which then exits with what `body` returned
    // (with 1, after saying why on its standard error, when `body` throws). Open connections and
    // threads of this process do not carry over into the copy.
    explicit ChildProcess(const std::function<int()>& body, const ChildOptions& options = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }

    // Writes `bytes` to its standard input.
    void write(std::string_view bytes);
    // The next line of its output, without its line end; nullopt when the output ends first or
    // no line comes within `timeout`.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout = kPatience);
    // The rest of its output, up to its end. Throws when it has not ended within `timeout`.
    std::string readAll(std::chrono::milliseconds timeout = kPatience);

    // Waits for it to end. Throws when it has not ended within `timeout`.
    ChildEnding wait(std::chrono::milliseconds timeout = kPatience);
    // Kills it with SIGKILL, unless it has been waited for, and waits for it.
    ChildEnding kill();

private:
    enum class Read { More, Ended, TimedOut };
    // Reads what it wrote next into `pending_`, waiting for it until `deadline`.
    Read readMore(std::chrono::steady_clock::time_point deadline);
    // Whether it has ended and been waited for; takes its ending when it has.
    bool reaped();

    std::string name_;
    pid_t pid_ = -1;
    Descriptor input_;
    Descriptor output_;
    std::string pending_;  // read and not yet returned
    std::optional<ChildEnding> ending_;
};

// Whether `name` is a program on the PATH.
bool ProgramOnPath(const std::string& name);

}  // namespace vrn::testing
