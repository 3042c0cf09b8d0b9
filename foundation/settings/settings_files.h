// A printer's settings file "ui3.xml" (a root array) and its history file "job3.xml" (a root
// dictionary), read and written whole in Preferences/<product folder>/<printer short name>/.
// Readers create the folders too; every reader accepts XML and binary property lists.
#pragma once

#include "cf/value.h"

/// 0 with the file's root array in `array`; -1, and a null `array`, when the file is missing,
/// unreadable, not a property list or has no array at its root, or when Preferences is missing.
std::int32_t LoadUISettingFile(const char* printerShortName, cf::Value* array,
                               const char* productFolder);

/// Writes `array` as the printer's "ui3.xml"; nothing when it is null or not an array.
void SaveUISettingFile(const char* printerShortName, const cf::Value* array,
                       const char* productFolder);

/// As LoadUISettingFile, for "job3.xml" with a root dictionary.
std::int32_t LoadJobHistoryFile(const char* printerShortName, cf::Value* dict,
                                const char* productFolder);

/// As SaveUISettingFile, for "job3.xml" with a root dictionary.
void SaveJobHistoryFile(const char* printerShortName, const cf::Value* dict,
                        const char* productFolder);
