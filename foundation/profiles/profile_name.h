// Profile names in the user's language, profiles found by file name, and the display form of an
// output profile's file name.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "color/profile.h"

/// The profile's name in the user's language (language and country from `kStat`): from the
/// 'desc' tag when it is a multi-localized element, else from the 'dscm' tag when that is one.
/// None when neither gives a name.
std::optional<std::string> GetLocalizedProfileName(const color::Profile& profile);

/// The localized name, else the profile's description.
std::string profileDisplayName(const color::Profile& profile);

/// The display name of the profile at `url` (a "file://" URL or a path); none when it cannot
/// be opened.
std::optional<std::string> GetProfileNameFromURL(const std::string& url);

/// The display name of the profile held in `bytes`; none when they hold no profile.
std::optional<std::string> GetProfileNameFromBuffer(const void* bytes, std::size_t length);

/// Looks for the file `fileName` directly inside each installed-profile folder, the user's
/// first; the first that exists gives its path and its display name. 1 when found, else 0
/// (also for a name that holds a "/").
int GetProfileNameAndPathFromFileName(const char* fileName, std::string* name, std::string* path);

/// Size of the name buffer of `ConvOutputProfName`.
inline constexpr std::size_t kOutputProfileNameSize = 256;

/// In place on a C string of at most 255 bytes: "QELSRGBA.ICC" becomes "sRGB v1.20 (Orvane)",
/// any other name ending in ".ICC" ends in ".icc" instead; other names stay as they are.
void ConvOutputProfName(char* name);
