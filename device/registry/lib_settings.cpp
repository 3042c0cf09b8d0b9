// Settings file loading and the process table look-up.
#include "registry/lib_settings.h"

#include <dlfcn.h>
#include <errno.h>
#include <signal.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "cf/property_list.h"
#include "cf/value.h"

namespace {

constexpr const char* kSettingsVariable = "STRATOLINE_DOVO_SETTINGS";
constexpr const char* kResourcesFolder = "DovoCommonLib.resources";
constexpr const char* kSettingsFileName = "Settings.plist";
constexpr char kZombieState = 'Z';
constexpr char kDeadState = 'X';

// A number of seconds that can serve as a polling interval.
bool usableInterval(const cf::Value* value, double& seconds) {
    const auto number = value != nullptr ? value->real() : std::nullopt;
    if (!number || !CLibSettings::isUsableInterval(*number)) {
        return false;
    }
    seconds = *number;
    return true;
}

constexpr std::size_t kStartTimeField = 19;  // counted from the state letter

// The fields of /proc/<pid>/stat after the name ("pid (name) S ..."; the name may hold
// parentheses), from the state letter on. Empty when the file cannot be read, as where /proc is
// not mounted.
std::string processStatFields(std::int32_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return {};
    }
    const auto close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() ? line.substr(close + 2)
                                                                 : std::string();
}

// The state letter of the process, 0 when it cannot be read.
char processState(std::int32_t pid) {
    const std::string fields = processStatFields(pid);
    return fields.empty() ? 0 : fields[0];
}

}  // namespace

CLibSettings& CLibSettings::sharedSettings() {
    static CLibSettings instance;  // made once, under the compiler's initialisation lock
    return instance;
}

CLibSettings::CLibSettings() {
    loadSettings(settingsFilePath());
}

std::filesystem::path CLibSettings::settingsFilePath() {
    if (const char* path = std::getenv(kSettingsVariable); path != nullptr && *path != '\0') {
        return path;
    }
    Dl_info where{};
    if (::dladdr(reinterpret_cast<const void*>(&CLibSettings::settingsFilePath), &where) == 0 ||
        where.dli_fname == nullptr) {
        return {};
    }
    return std::filesystem::path(where.dli_fname).parent_path() / kResourcesFolder /
           kSettingsFileName;
}

void CLibSettings::loadSettings(const std::filesystem::path& path) {
    cf::Value settings;
    if (path.empty() || cf::readPropertyListFile(path, settings) != cf::PlistStatus::Ok ||
        !settings.isDictionary()) {
        return;
    }
    const struct {
        const char* key;
        std::atomic<double>& interval;
    } keys[] = {
        {"AdminThreadDequeueInterval", dequeueInterval_},
        {"AdminThreadPausingInterval", pausingInterval_},
        {"WaitForCompleteTaskRetryInterval", waitForCompleteTaskRetryInterval_},
        {"LockRetryInterval", tryLockInterval_},
    };
    for (const auto& [key, interval] : keys) {
        if (double seconds = 0; usableInterval(settings.find(key), seconds)) {
            interval = seconds;
        }
    }
}

bool CLibSettings::isProcessRunningByPID(std::int32_t pid) {
    if (pid <= 0) {
        return false;
    }
    if (::kill(pid, 0) != 0 && errno != EPERM) {
        return false;
    }
    const char state = processState(pid);
    return state != kZombieState && state != kDeadState;
}

std::uint64_t CLibSettings::processStartTime(std::int32_t pid) {
    if (pid <= 0) {
        return 0;
    }
    std::istringstream fields(processStatFields(pid));
    std::string field;
    for (std::size_t i = 0; i < kStartTimeField; ++i) {
        fields >> field;  // a failed read fails the stream, and with it the read of the time
    }
    std::uint64_t ticks = 0;
    return fields >> ticks ? ticks : 0;
}
