// Result codes of the settings folders and files. 1009 and 1010 are plug-in error codes that the
// dialog shows as they stand; the others are the foundation library's.
#pragma once

#include <cstdint>

/// The owner of a settings file or of its folder lacks the permission: tell the user the file is
/// locked and leave it alone.
inline constexpr std::int32_t kSettingsNoPermission = 1009;
/// A settings file or its folder is marked immutable: tell the user the file is locked.
inline constexpr std::int32_t kSettingsImmutable = 1010;
/// A settings file is missing, unreadable or of another shape: use the defaults instead.
inline constexpr std::int32_t kSettingsNotRead = -1;
/// No property list or no file was given: a caller error.
inline constexpr std::int32_t kSettingsBadArgument = -50;
/// The file could not be written; any earlier file is unchanged.
inline constexpr std::int32_t kSettingsNotWritten = -20;
