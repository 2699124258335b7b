#pragma once

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

// Runs this program again, as a fresh process, with `arguments`, and returns what it wrote to
// its standard output. It gets this program's environment without the variables named in
// `dropped` and with `settings` (entries "NAME=value") added: settings that the C library reads
// when a process starts, such as the allocator's, so reach the run without touching this
// process. Throws when the run cannot start or does not end with status 0.
inline std::string RunSelf(const std::vector<std::string>& arguments,
                           const std::vector<std::string>& settings,
                           const std::vector<std::string>& dropped) {
    const std::string program = std::filesystem::read_symlink("/proc/self/exe").string();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view variable(*entry);
        const bool kept =
            std::none_of(dropped.begin(), dropped.end(),
                         [&](const std::string& name) { return variable.starts_with(name + "="); });
        if (kept) {
            envp.push_back(*entry);
        }
    }
    for (const auto& setting : settings) {
        envp.push_back(const_cast<char*>(setting.c_str()));
    }
    envp.push_back(nullptr);

    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        throw std::runtime_error("cannot run " + program + ": " + std::strerror(spawned));
    }
    std::string output;
    char chunk[4096];
    for (ssize_t got; (got = read(pipeEnds[0], chunk, sizeof chunk)) != 0;) {
        if (got < 0 && errno != EINTR) {
            break;
        }
        if (got > 0) {
            output.append(chunk, static_cast<std::size_t>(got));
        }
    }
    close(pipeEnds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("the run of " + program + " failed");
    }
    return output;
}

}  // namespace vrn::bench
