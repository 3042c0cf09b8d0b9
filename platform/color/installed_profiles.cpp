// The installed-profile walk over the ICC folders of the desktop convention and the driver's
// folder.
#include "color/installed_profiles.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "cf/folders.h"

namespace color {
namespace {

namespace fs = std::filesystem;

constexpr char kSystemFolder[] = "/usr/share/color/icc";
constexpr char kDriverProfiles[] = "Orvane/TARN/Profiles";
// No real profile comes near this; larger files are not opened.
constexpr std::uintmax_t kLargestProfile = 64U << 20;

fs::path userDataFolder() {
    const char* value = std::getenv("XDG_DATA_HOME");
    return value != nullptr && *value != '\0' ? fs::path(value)
                                              : cf::Folders::home() / ".local/share";
}

// The regular files below `folder`, sorted by path so that the walk order is stable.
std::vector<fs::path> profileFilesBelow(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    fs::recursive_directory_iterator entries(folder, fs::directory_options::skip_permission_denied,
                                             error);
    for (; !error && entries != fs::recursive_directory_iterator(); entries.increment(error)) {
        std::error_code entryError;
        if (entries->is_regular_file(entryError) &&
            entries->file_size(entryError) <= kLargestProfile && !entryError) {
            files.push_back(entries->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

fs::path driverProfileFolder() {
    return cf::Folders::driverRoot() / kDriverProfiles;
}

std::vector<fs::path> installedProfileFolders() {
    return {userDataFolder() / "icc", cf::Folders::home() / ".color/icc", kSystemFolder,
            driverProfileFolder()};
}

bool forEachInstalledProfile(const ProfileVisitor& visit) {
    for (const fs::path& folder : installedProfileFolders()) {
        for (const fs::path& file : profileFilesBelow(folder)) {
            const std::shared_ptr<Profile> profile = Profile::openPath(file);
            if (profile != nullptr && !visit(*profile, file)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace color
