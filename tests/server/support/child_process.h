#pragma once

#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

extern char** environ;

namespace kt::test {

// A program started with its argument list (no shell) that runs beside the test until
// waited for; it is waited for when the object ends.
class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& arguments) {
        std::vector<char*> argv;
        for (const auto& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
    }
    ~ChildProcess() { wait(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The exit status; -1 when the program did not start or did not end normally.
    int wait() {
        if (pid_ > 0) {
            int status = 0;
            const bool ended = waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status);
            status_ = ended ? WEXITSTATUS(status) : -1;
            pid_ = -1;
        }
        return status_;
    }

private:
    pid_t pid_ = -1;
    int status_ = -1;
};

}  // namespace kt::test
