// A Preferences folder of the test's own, and a child process without root's privileges for the
// cases that root's bypass of permissions would hide.
#pragma once

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace settingstest {

/// Preferences in a temporary folder, open to every user so that a child as "nobody" reaches it.
class PreferencesFolder {
  public:
    PreferencesFolder() {
        std::filesystem::create_directory(preferences());
        std::filesystem::permissions(home_.path(), std::filesystem::perms(0755));
        std::filesystem::permissions(preferences(), std::filesystem::perms(0777));
    }

    std::filesystem::path home() const { return home_.path(); }
    std::filesystem::path preferences() const { return home_ / "Preferences"; }
    std::filesystem::path printerFolder(const char* product, const char* printer) const {
        return preferences() / product / printer;
    }

  private:
    testsupport::TemporaryFolder home_;
    testsupport::ScopedVariable variable_{"XDG_CONFIG_HOME", preferences().c_str()};
};

inline std::string fileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

/// Runs `body` in a forked child, as "nobody" when the test runs as root, and gives its exit
/// status (the value `body` returned, 0 to 125), or -1 when the child could not be started or
/// did not end normally. The child leaves through _exit, so no test state is torn down twice.
inline int runUnprivileged(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        constexpr int kCannotDrop = 126;
        if (::getuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(kCannotDrop);
        ::_exit(body());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

}  // namespace settingstest
