// The plug-in's error codes: what the settings model and the foundation answer and the dialogs
// show. Most carry a message number n: (n << 16) | 0x100 | (n - 1). Beside them stand the plain
// codes that the settings-file and tone-curve layers pass up unchanged, and kErrJobEntry, which
// is the code of n = 69 plus one. 0 is success. The codes the foundation answers are taken from
// where it defines them.
#pragma once

#include <cstdint>

#include "history/print_jobs.h"
#include "settings/settings_codes.h"

namespace plugin_error_codes {

/// The regular plug-in error code of message number n (n >= 1).
constexpr std::int32_t PlugInErrorCode(std::int32_t n) {
    return (n << 16) | 0x100 | (n - 1);
}

inline constexpr std::int32_t kErrNone = 0;
inline constexpr std::int32_t kErrWriteFile = 1001;
inline constexpr std::int32_t kErrWriteToneCurveFile = 1003;
inline constexpr std::int32_t kErrFilePermission = kSettingsNoPermission;  // 1009
inline constexpr std::int32_t kErrFileLocked = kSettingsImmutable;         // 1010
inline constexpr std::int32_t kErrPanelMemory = 2000;
inline constexpr std::int32_t kErrCheckPrinter = PlugInErrorCode(1);            // 0x10100
inline constexpr std::int32_t kErrMemAlloc = PlugInErrorCode(4);                // 0x40103
inline constexpr std::int32_t kErrPrintCanceled = PlugInErrorCode(5);           // 0x50104
inline constexpr std::int32_t kErrNoDriver = PlugInErrorCode(8);                // 0x80107
inline constexpr std::int32_t kErrFileNotFound = PlugInErrorCode(9);            // 0x90108
inline constexpr std::int32_t kErrRecordOutOfMemory = PlugInErrorCode(12);      // 0xC010B
inline constexpr std::int32_t kErrInputTextLong = PlugInErrorCode(13);          // 0xD010C
inline constexpr std::int32_t kErrPrinting = PlugInErrorCode(26);               // 0x1A0119
inline constexpr std::int32_t kErrUserMediaLimit = PlugInErrorCode(29);         // 0x1D011C
inline constexpr std::int32_t kErrUserMediaChange = PlugInErrorCode(30);        // 0x1E011D
inline constexpr std::int32_t kErrUserMediaNoName = PlugInErrorCode(31);        // 0x1F011E
inline constexpr std::int32_t kErrSameMediaName = PlugInErrorCode(33);          // 0x210120
inline constexpr std::int32_t kErrSameUserMediaName = PlugInErrorCode(34);      // 0x220121
inline constexpr std::int32_t kErrInvalidValue = PlugInErrorCode(35);           // 0x230122
inline constexpr std::int32_t kErrHostImage = PlugInErrorCode(41);              // 0x290128
inline constexpr std::int32_t kErrImageHeightOver = PlugInErrorCode(47);        // 0x2F012E
inline constexpr std::int32_t kErrWriteSettingsFile = kFavoriteFileNotWritten;  // 0x350134
inline constexpr std::int32_t kErrColorProcessing = PlugInErrorCode(54);        // 0x360135
inline constexpr std::int32_t kErrProfileNotFound = PlugInErrorCode(67);        // 0x430142
inline constexpr std::int32_t kErrTargetFileLocked = PlugInErrorCode(68);       // 0x440143
inline constexpr std::int32_t kErrJobRead = kFavoriteFileNotRead;               // 0x450144
inline constexpr std::int32_t kErrJobEntry = kFavoriteFileNotForPrinter;        // 0x450145

}  // namespace plugin_error_codes
