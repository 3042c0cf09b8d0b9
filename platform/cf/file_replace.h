// Whole files replaced atomically: readers see the old content or the new one, never a mixture,
// and a failed write leaves the old file as it was.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace cf {

/// Writes `bytes` to a temporary file beside `path`, flushes it and renames it over `path`. The
/// replacement takes over the permission bits of a regular file it replaces; where there was
/// none, or a symbolic link (whose target is left alone), it has the ordinary mode narrowed by
/// the creation mask. False (with errno set) when any step fails; `path` is then untouched and
/// the temporary file is gone.
bool replaceFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace cf
