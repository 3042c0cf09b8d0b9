// The file attribute the permission check reads beside the mode bits: the immutable flag.
// Setting that flag needs privileges, so tests put their own reader in place through the seam.
#pragma once

#include <filesystem>
#include <functional>

#include "seam/seam.h"

struct FileAttributeServices {
    /// True when the item at the path is marked immutable; false when it is not or when its
    /// flags cannot be read. Production reads the file system's flags (FS_IOC_GETFLAGS).
    std::function<bool(const std::filesystem::path& path)> isImmutable;
};

/// The services the permission check calls through.
seam::Seam<FileAttributeServices>& fileAttributeServices();
