// The permission test made before a settings file is read or written.
#pragma once

#include <cstdint>
#include <filesystem>

/// Tests the item at `url` and then its folder, by the owner's permission bits only, whoever the
/// current user is. 0 when allowed, when `url` is null or when the item does not exist; 1009
/// when the owner lacks the read permission (`write` 0) or the write permission (`write`
/// non-zero) on the item or its folder; 1010 for a write test when the item or its folder is
/// immutable. When an item's attributes cannot be read its bits are not tested.
std::int32_t CheckPermission(const std::filesystem::path* url, std::uint8_t write);
