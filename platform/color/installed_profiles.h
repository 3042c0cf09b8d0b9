// The walk over the installed ICC profiles.
#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "color/profile.h"

namespace color {

/// Where installed profiles live, in walk order: the user's $XDG_DATA_HOME/icc (else
/// ~/.local/share/icc), ~/.color/icc, the system's /usr/share/color/icc, and the printer driver's
/// profile folder under the driver root. Each folder is walked with its subfolders.
std::vector<std::filesystem::path> installedProfileFolders();

/// The printer driver's profile folder under the driver root.
std::filesystem::path driverProfileFolder();

/// Called with each installed profile and its file; answers true to go on, false to stop.
using ProfileVisitor =
    std::function<bool(const Profile& profile, const std::filesystem::path& file)>;

/// Opens every regular file of the profile folders, in name order within a folder, and hands each
/// one that is a profile to the visitor until it answers false. Files that are no profiles, too
/// large or unreadable are skipped. Answers false when the visitor stopped the walk.
bool forEachInstalledProfile(const ProfileVisitor& visit);

}  // namespace color
