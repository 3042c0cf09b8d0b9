// Profiles named by the dialog's URL strings.
#pragma once

#include <memory>
#include <string_view>

#include "color/profile.h"

/// Opens the profile that `url` names: a "file://" URL or an absolute path. Null for anything
/// else and for files that are no profiles.
std::shared_ptr<color::Profile> profileFromUrlString(std::string_view url);
