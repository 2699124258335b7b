#include "tests/support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <tuple>
#include <utility>

extern char** environ;

namespace vrn::testing {
namespace {

using Clock = std::chrono::steady_clock;

// The longest pause between two looks at whether a child has ended.
constexpr std::chrono::milliseconds kLongestPause(20);

[[noreturn]] void ThrowSystemError(int error, const std::string& what) {
    throw std::system_error(error, std::generic_category(), what);
}

std::string Shown(std::chrono::milliseconds timeout) {
    return std::to_string(timeout.count()) + " ms";
}

int MillisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<decltype(left)>(left, 0, INT_MAX));
}

// The read and the write end of a new pipe, both closed when a program starts.
std::pair<Descriptor, Descriptor> MakePipe(const std::string& child) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        ThrowSystemError(errno, "cannot make a pipe to " + child);
    }
    return {Descriptor(ends[0]), Descriptor(ends[1])};
}

// The child's ends of the pipes that `options` asks for, this process's ends in `input` and
// `output`.
std::pair<Descriptor, Descriptor> MakePipes(const ChildOptions& options, const std::string& child,
                                            Descriptor& input, Descriptor& output) {
    std::pair<Descriptor, Descriptor> childEnds;
    if (options.feedInput) {
        std::tie(childEnds.first, input) = MakePipe(child);
    }
    if (options.captureOutput) {
        std::tie(output, childEnds.second) = MakePipe(child);
    }
    return childEnds;
}

// What a spawned program's descriptors become, undone when it goes.
class SpawnActions {
public:
    explicit SpawnActions(const std::string& program) : program_(program) {
        check(posix_spawn_file_actions_init(&actions_));
    }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;

    void dup2(int fd, int to) { check(posix_spawn_file_actions_adddup2(&actions_, fd, to)); }
    void discard(int fd) {
        check(posix_spawn_file_actions_addopen(&actions_, fd, "/dev/null", O_WRONLY, 0));
    }
    const posix_spawn_file_actions_t* get() const { return &actions_; }

private:
    void check(int error) const {
        if (error != 0) {
            ThrowSystemError(error, "cannot prepare the start of " + program_);
        }
    }

    std::string program_;
    posix_spawn_file_actions_t actions_{};
};

// This process's environment without the variables named in `dropped` and with `settings`
// ("NAME=value") in place of the variables of their names.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& settings,
                                         const std::vector<std::string>& dropped) {
    std::vector<std::string> replaced = dropped;
    for (const std::string& setting : settings) {
        replaced.push_back(setting.substr(0, setting.find('=')));
    }
    std::vector<std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view variable(*entry);
        const bool kept =
            std::none_of(replaced.begin(), replaced.end(),
                         [&](const std::string& name) { return variable.starts_with(name + "="); });
        if (kept) {
            variables.emplace_back(variable);
        }
    }
    variables.insert(variables.end(), settings.begin(), settings.end());
    return variables;
}

// The null-terminated list of pointers to `texts` that exec takes.
std::vector<char*> PointersTo(const std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (const std::string& text : texts) {
        pointers.push_back(const_cast<char*>(text.c_str()));
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Writes `text` to standard error at once: a forked child ends without flushing its streams.
void TellInChild(const char* text) {
    [[maybe_unused]] const auto written = ::write(STDERR_FILENO, text, std::strlen(text));
}

// The forked child: `body` with its standard input and output on the pipes asked for.
[[noreturn]] void RunForked(const std::function<int()>& body, Descriptor& input,
                            Descriptor& output) {
    if ((input.valid() && ::dup2(input.get(), STDIN_FILENO) < 0) ||
        (output.valid() && ::dup2(output.get(), STDOUT_FILENO) < 0)) {
        TellInChild("the forked child cannot reach its pipes\n");
        ::_exit(1);
    }
    input.reset();
    output.reset();
    try {
        ::_exit(body());
    } catch (const std::exception& error) {
        TellInChild(error.what());
    } catch (...) {
        TellInChild("an exception that is no std::exception");
    }
    TellInChild(" ended the forked child\n");
    ::_exit(1);
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& arguments, const ChildOptions& options)
    : name_(arguments.empty() ? std::string() : arguments.front()) {
    if (arguments.empty()) {
        throw std::invalid_argument("no program to start");
    }
    SpawnActions actions(name_);
    const auto [childInput, childOutput] = MakePipes(options, name_, input_, output_);
    if (childInput.valid()) {
        actions.dup2(childInput.get(), STDIN_FILENO);
    }
    if (childOutput.valid()) {
        actions.dup2(childOutput.get(), STDOUT_FILENO);
    }
    if (options.quietErrors) {
        actions.discard(STDERR_FILENO);
    }
    const bool ownEnvironment = options.settings.empty() && options.dropped.empty();
    const std::vector<std::string> environment =
        ownEnvironment ? std::vector<std::string>()
                       : EnvironmentWith(options.settings, options.dropped);
    std::vector<char*> argv = PointersTo(arguments);
    std::vector<char*> envp = PointersTo(environment);
    const int error = ::posix_spawnp(&pid_, argv[0], actions.get(), nullptr, argv.data(),
                                     ownEnvironment ? environ : envp.data());
    if (error != 0) {
        pid_ = -1;
        ThrowSystemError(error, "cannot start " + name_);
    }
}

ChildProcess::ChildProcess(const std::function<int()>& body, const ChildOptions& options)
    : name_("a forked child") {
    auto [childInput, childOutput] = MakePipes(options, name_, input_, output_);
    pid_ = ::fork();
    if (pid_ < 0) {
        ThrowSystemError(errno, "cannot fork a child");
    }
    if (pid_ == 0) {
        input_.reset();
        output_.reset();
        RunForked(body, childInput, childOutput);
    }
}

ChildProcess::~ChildProcess() {
    if (pid_ <= 0 || ending_) {
        return;
    }
    if (::kill(pid_, SIGKILL) != 0) {
        std::cerr << "cannot kill " << name_ << " (process " << pid_
                  << "): " << std::strerror(errno) << "\n";
    }
    while (::waitpid(pid_, nullptr, 0) < 0) {
        if (errno != EINTR) {
            std::cerr << "cannot wait for " << name_ << " (process " << pid_
                      << "): " << std::strerror(errno) << "\n";
            break;
        }
    }
}

void ChildProcess::write(std::string_view bytes) {
    if (!input_.valid()) {
        throw std::logic_error("the standard input of " + name_ + " is not fed by this process");
    }
    while (!bytes.empty()) {
        const ssize_t written = ::write(input_.get(), bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR) {
            ThrowSystemError(errno, "cannot write to " + name_);
        }
        bytes.remove_prefix(static_cast<std::size_t>(std::max<ssize_t>(written, 0)));
    }
}

ChildProcess::Read ChildProcess::readMore(Clock::time_point deadline) {
    if (!output_.valid()) {
        throw std::logic_error("the output of " + name_ + " is not captured");
    }
    for (;;) {
        pollfd ready{output_.get(), POLLIN, 0};
        const int polled = ::poll(&ready, 1, MillisecondsUntil(deadline));
        if (polled == 0) {
            return Read::TimedOut;
        }
        char chunk[4096];
        const ssize_t got = polled < 0 ? -1 : ::read(output_.get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            ThrowSystemError(errno, "cannot read the output of " + name_);
        }
        if (got == 0) {
            return Read::Ended;
        }
        pending_.append(chunk, static_cast<std::size_t>(got));
        return Read::More;
    }
}

std::optional<std::string> ChildProcess::readLine(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    std::size_t end = 0;
    while ((end = pending_.find('\n')) == std::string::npos) {
        if (readMore(deadline) != Read::More) {
            return std::nullopt;
        }
    }
    std::string line = pending_.substr(0, end);
    pending_.erase(0, end + 1);
    return line;
}

std::string ChildProcess::readAll(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (Read got; (got = readMore(deadline)) != Read::Ended;) {
        if (got == Read::TimedOut) {
            throw std::runtime_error("the output of " + name_ + " did not end within " +
                                     Shown(timeout));
        }
    }
    return std::exchange(pending_, std::string());
}

bool ChildProcess::reaped() {
    if (ending_) {
        return true;
    }
    int status = 0;
    rusage usage{};
    pid_t got = 0;
    while ((got = ::wait4(pid_, &status, WNOHANG, &usage)) < 0 && errno == EINTR) {
    }
    if (got < 0) {
        ThrowSystemError(errno, "cannot wait for " + name_);
    }
    if (got == 0) {
        return false;
    }
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    ending_ = ChildEnding{WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                          WIFSIGNALED(status) ? WTERMSIG(status) : 0,
                          seconds(usage.ru_utime) + seconds(usage.ru_stime)};
    return true;
}

ChildEnding ChildProcess::wait(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    std::chrono::milliseconds pause(1);
    while (!reaped()) {
        if (Clock::now() >= deadline) {
            throw std::runtime_error(name_ + " (process " + std::to_string(pid_) +
                                     ") did not end within " + Shown(timeout));
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, kLongestPause);
    }
    return *ending_;
}

ChildEnding ChildProcess::kill() {
    if (!reaped() && ::kill(pid_, SIGKILL) != 0) {
        ThrowSystemError(errno, "cannot kill " + name_);
    }
    return wait();
}

bool ProgramOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path != nullptr ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        std::error_code error;
        if (!folder.empty() && std::filesystem::is_regular_file(folder + "/" + name, error)) {
            return true;
        }
    }
    return false;
}

}  // namespace vrn::testing
