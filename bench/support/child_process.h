#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

namespace vrn::bench {

// This process's environment with `settings` (entries "NAME=value") in place of the variables
// of their names, and without the variables named in `dropped`.
inline std::vector<std::string> EnvironmentWith(const std::vector<std::string>& settings,
                                                const std::vector<std::string>& dropped = {}) {
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

// A child process whose standard output this process reads from `output`.
struct ChildWithOutput {
    pid_t pid = 0;
    int output = -1;
};

// Starts the program `arguments[0]` with `arguments` and `environment`, its standard output on
// a pipe (its standard error on /dev/null when `quiet`). Throws when it cannot start.
inline ChildWithOutput StartReadingOutput(const std::vector<std::string>& arguments,
                                          const std::vector<std::string>& environment, bool quiet) {
    std::vector<char*> argv;
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const auto& variable : environment) {
        envp.push_back(const_cast<char*>(variable.c_str()));
    }
    envp.push_back(nullptr);

    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    ChildWithOutput child;
    const int spawned =
        posix_spawn(&child.pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        throw std::runtime_error("cannot run " + arguments.front() + ": " + std::strerror(spawned));
    }
    child.output = pipeEnds[0];
    return child;
}

// Runs this program again, as a fresh process, with `arguments`, and returns what it wrote to
// its standard output. It gets this program's environment without the variables named in
// `dropped` and with `settings` (entries "NAME=value") added: settings that the C library reads
// when a process starts, such as the allocator's, so reach the run without touching this
// process. Throws when the run cannot start or does not end with status 0.
inline std::string RunSelf(const std::vector<std::string>& arguments,
                           const std::vector<std::string>& settings,
                           const std::vector<std::string>& dropped) {
    const std::string program = std::filesystem::read_symlink("/proc/self/exe").string();
    std::vector<std::string> command{program};
    command.insert(command.end(), arguments.begin(), arguments.end());
    const ChildWithOutput child =
        StartReadingOutput(command, EnvironmentWith(settings, dropped), false);
    std::string output;
    char chunk[4096];
    for (ssize_t got; (got = read(child.output, chunk, sizeof chunk)) != 0;) {
        if (got < 0 && errno != EINTR) {
            break;
        }
        if (got > 0) {
            output.append(chunk, static_cast<std::size_t>(got));
        }
    }
    close(child.output);
    int status = 0;
    while (waitpid(child.pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("the run of " + program + " failed");
    }
    return output;
}

}  // namespace vrn::bench
