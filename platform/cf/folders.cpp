// Folder look-ups from the environment, with the conventional Linux defaults.
#include "cf/folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#ifndef STRATOLINE_DEFAULT_DRIVER_ROOT
#error "STRATOLINE_DEFAULT_DRIVER_ROOT must name the build's outside/ folder"
#endif

namespace cf::Folders {
namespace {

// The variable's value when set and not empty.
const char* fromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

std::filesystem::path orDefault(const char* variable, const std::filesystem::path& fallback) {
    const char* value = fromEnvironment(variable);
    return value != nullptr ? std::filesystem::path(value) : fallback;
}

}  // namespace

std::filesystem::path home() {
    if (const char* value = fromEnvironment("HOME")) {
        return value;
    }
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "/";
}

std::filesystem::path preferences() {
    return orDefault("XDG_CONFIG_HOME", home() / ".config");
}

std::filesystem::path temporary() {
    return orDefault("TMPDIR", "/tmp");
}

std::filesystem::path desktop() {
    return orDefault("STRATOLINE_DESKTOP", home() / "Desktop");
}

std::filesystem::path sharedCaches() {
    return orDefault("STRATOLINE_CACHES", "/var/tmp");
}

std::filesystem::path driverRoot() {
    return orDefault("STRATOLINE_ROOT", STRATOLINE_DEFAULT_DRIVER_ROOT);
}

}  // namespace cf::Folders
