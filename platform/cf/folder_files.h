// The files of a folder tree, for the walks over installed resources (profiles, PPDs).
#pragma once

#include <cstdint>
#include <filesystem>
#include <limits>
#include <vector>

namespace cf {

/// The regular files at any depth below `folder` of at most `largest` bytes, sorted by path so
/// that a walk over them is stable. Folders that cannot be read are passed over; a missing
/// folder gives none.
std::vector<std::filesystem::path> regularFilesBelow(
    const std::filesystem::path& folder,
    std::uintmax_t largest = std::numeric_limits<std::uintmax_t>::max());

}  // namespace cf
