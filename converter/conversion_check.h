// The kinds of old settings file, their names, and the two tests that every check and every
// converter begins with: a good new file wins, and a missing old file leaves nothing to do.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

/// Bits of a pass's result, one per kind of file.
inline constexpr std::int32_t kConvertUserPaper = 1;
inline constexpr std::int32_t kConvertConnect = 2;
inline constexpr std::int32_t kConvertUI = 4;
inline constexpr std::int32_t kConvertJobAndFavorite = 8;

/// The old files; the new ones are the foundation's settings files of the same kinds.
inline constexpr const char* kOldUserPaperFileName = "user.pref";
inline constexpr const char* kOldConnectFileName = "connect.pref";
inline constexpr const char* kOldUIFileName = "ui2.pref";
inline constexpr const char* kOldJobFileName = "Job.pref";

/// A printer's folder, or none when it could not be found or made.
using PrinterFolder = std::optional<std::filesystem::path>;

/// Whether the file at `path` reads as a property list.
bool isGoodNewFile(const std::filesystem::path& path);

/// Whether `folder` holds the old file `oldName`, a regular file that can be read, and no good
/// new file `newName`.
bool mustConvert(const std::filesystem::path& folder, const char* newName, const char* oldName);
