#include "processes/running_processes.h"

#include <string>
#include <string_view>
#include <system_error>

namespace processes {
namespace {

constexpr char kProcessFolder[] = "/proc";
constexpr char kExecutableLink[] = "exe";
/// What the system appends to the executable's path once that file has been removed.
constexpr std::string_view kRemovedSuffix = " (deleted)";

bool isProcessId(const std::string& name) {
    return !name.empty() && name.find_first_not_of("0123456789") == std::string::npos;
}

std::filesystem::path withoutRemovedSuffix(const std::filesystem::path& executable) {
    const std::string text = executable.string();
    std::error_code error;
    if (!text.ends_with(kRemovedSuffix) || std::filesystem::exists(executable, error)) {
        return executable;
    }
    return text.substr(0, text.size() - kRemovedSuffix.size());
}

}  // namespace

std::vector<std::filesystem::path> runningExecutables() {
    std::vector<std::filesystem::path> executables;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(kProcessFolder, error), end;
         !error && entry != end; entry.increment(error)) {
        if (!isProcessId(entry->path().filename().string())) {
            continue;
        }
        std::error_code unreadable;  // a process of another user, or one that has just ended
        const auto executable =
            std::filesystem::read_symlink(entry->path() / kExecutableLink, unreadable);
        if (!unreadable) {
            executables.push_back(withoutRemovedSuffix(executable));
        }
    }
    return executables;
}

}  // namespace processes
