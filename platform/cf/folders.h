// The folders of the user and of the system that the print system reads and writes.
#pragma once

#include <filesystem>

namespace cf {

/// Folder look-ups. Each comes from an environment variable first, so tests can point every
/// folder at a temporary one; none of them is created here.
namespace Folders {

/// The user's Preferences folder: $XDG_CONFIG_HOME, else ~/.config.
std::filesystem::path preferences();

/// The temporary folder: $TMPDIR, else /tmp.
std::filesystem::path temporary();

/// The user's Desktop: $STRATOLINE_DESKTOP, else ~/Desktop.
std::filesystem::path desktop();

/// The machine-wide caches folder shared by every user: $STRATOLINE_CACHES, else /var/tmp.
std::filesystem::path sharedCaches();

/// The root under which the printer driver's fixed folders sit: $STRATOLINE_ROOT, else the
/// build's `outside/` output folder.
std::filesystem::path driverRoot();

/// The user's home folder: $HOME, else the password database's entry.
std::filesystem::path home();

}  // namespace Folders
}  // namespace cf
