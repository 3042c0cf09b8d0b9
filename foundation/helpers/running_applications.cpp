#include "helpers/running_applications.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <system_error>

#include "cf/bundle.h"
#include "processes/running_processes.h"

namespace {

constexpr char kInfoFileName[] = "Info.plist";
constexpr std::string_view kBundleNameKey = "CFBundleName";

// The bundle of a running executable: the nearest folder above it that holds an Info.plist.
std::unique_ptr<cf::Bundle> bundleOf(const std::filesystem::path& executable) {
    for (auto folder = executable.parent_path(); !folder.empty(); folder = folder.parent_path()) {
        std::error_code error;
        if (std::filesystem::exists(folder / kInfoFileName, error)) {
            return cf::Bundle::open(folder);
        }
        if (folder == folder.root_path()) {
            break;
        }
    }
    return nullptr;
}

std::optional<std::string> nameOf(const cf::Bundle& bundle) {
    const cf::Value* name = bundle.info().find(kBundleNameKey);
    return name != nullptr && name->isString() ? std::optional(*name->string()) : std::nullopt;
}

}  // namespace

int ProcessChecker(const char* bundleName, const char* bundleIdentifier) {
    if (bundleName == nullptr || bundleIdentifier == nullptr || *bundleIdentifier == '\0') {
        return 0;
    }
    const auto executables = processes::runningExecutables();
    const std::set<std::filesystem::path> programs(executables.begin(), executables.end());
    for (const auto& program : programs) {
        const auto bundle = bundleOf(program);
        if (bundle != nullptr && bundle->identifier() == bundleIdentifier &&
            nameOf(*bundle) == bundleName) {
            return 1;
        }
    }
    return 0;
}

int Check_RunningPhotoshopCount() {
    return runningProgramCount(kImageEditingHostPrograms);
}

int runningProgramCount(std::span<const std::string_view> programs) {
    const auto executables = processes::runningExecutables();
    return static_cast<int>(
        std::count_if(executables.begin(), executables.end(), [&](const auto& executable) {
            const std::string name = executable.filename().string();
            return std::find(programs.begin(), programs.end(), name) != programs.end();
        }));
}
