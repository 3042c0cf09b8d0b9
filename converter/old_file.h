// Reading the old settings files: only regular files, only as many bytes as the caller needs,
// and nothing allocated before the file is known to hold them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace converter {

/// The size in bytes of the regular file at `path`; none when it is missing, is no regular file
/// or cannot be opened for reading.
std::optional<std::uintmax_t> oldFileSize(const std::filesystem::path& path);

/// The first `size` bytes of the regular file at `path`; none when it is missing, is no regular
/// file, cannot be read or holds fewer bytes.
std::optional<std::vector<std::uint8_t>> readOldFile(const std::filesystem::path& path,
                                                     std::size_t size);

}  // namespace converter
