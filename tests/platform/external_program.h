#pragma once

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace vrn::testing {

// Whether `name` is a program on the PATH.
inline bool ProgramAvailable(const std::string& name) {
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

// Runs a program with its argument list (no shell) and returns its exit status; -1 when it
// could not be started or did not end normally.
inline int RunProgram(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

}  // namespace vrn::testing
