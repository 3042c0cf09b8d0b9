// The owner-bit permission test of a settings file and its folder.
#include "settings/file_permission.h"

#include <sys/stat.h>

#include <cerrno>

#include "settings/file_attributes.h"
#include "settings/settings_codes.h"

namespace {

enum class Presence { Missing, Unreadable, Present };

// The item's presence and, when present, its mode.
Presence statItem(const std::filesystem::path& path, mode_t* mode) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        *mode = status.st_mode;
        return Presence::Present;
    }
    return errno == ENOENT || errno == ENOTDIR ? Presence::Missing : Presence::Unreadable;
}

// The test of one item that exists (or whose attributes cannot be read).
std::int32_t checkItem(const std::filesystem::path& path, Presence presence, mode_t mode,
                       bool write) {
    if (presence == Presence::Present && (mode & (write ? S_IWUSR : S_IRUSR)) == 0) {
        return kSettingsNoPermission;
    }
    if (write && fileAttributeServices().current().isImmutable(path)) {
        return kSettingsImmutable;
    }
    return 0;
}

}  // namespace

std::int32_t CheckPermission(const std::filesystem::path* url, std::uint8_t write) {
    if (url == nullptr || url->empty()) {
        return 0;
    }
    // "folder/" names the folder itself.
    const std::filesystem::path item = url->has_filename() ? *url : url->parent_path();
    mode_t mode = 0;
    const Presence presence = statItem(item, &mode);
    if (presence == Presence::Missing) {
        return 0;
    }
    if (const std::int32_t result = checkItem(item, presence, mode, write != 0); result != 0) {
        return result;
    }

    std::filesystem::path folder = item.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    mode_t folderMode = 0;
    const Presence folderPresence = statItem(folder, &folderMode);
    if (folderPresence == Presence::Missing) {
        return 0;
    }
    return checkItem(folder, folderPresence, folderMode, write != 0);
}
