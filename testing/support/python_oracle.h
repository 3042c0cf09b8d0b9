// Runs one of the Python oracle scripts with Debian's interpreter and returns its exit status.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace testsupport {

/// Debian's interpreter, which sees Debian's python3-* modules.
inline constexpr const char* kPython = "/usr/bin/python3";

/// Runs `script` with `arguments` (each quoted for the shell); the exit status, or -1.
inline int runPython(const std::string& script, const std::vector<std::string>& arguments) {
    std::string command = std::string(kPython) + " '" + script + "'";
    for (const auto& argument : arguments) {
        command += " '" + argument + "'";
    }
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace testsupport
