// The installed-profile walk over the ICC folders of the desktop convention and the driver's
// folder.
#include "color/installed_profiles.h"

#include <cstdlib>

#include "cf/folder_files.h"
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
        for (const fs::path& file : cf::regularFilesBelow(folder, kLargestProfile)) {
            const std::shared_ptr<Profile> profile = Profile::openPath(file);
            if (profile != nullptr && !visit(*profile, file)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace color
