// Numbers into settings dictionaries, and settings property lists written to files.
#pragma once

#include <cstdint>
#include <filesystem>

#include "cf/value.h"

/// Number types of setDicNumber.
inline constexpr std::int32_t kNumberSInt16 = 2;
inline constexpr std::int32_t kNumberSInt32 = 3;

/// Stores the number at `value` (an int16_t for kNumberSInt16, an int32_t for kNumberSInt32)
/// under `key`. Nothing when the dictionary, the value or the key is missing or the type is
/// another. Always 0.
std::int32_t setDicNumber(cf::Value* dict, const void* value, std::int32_t numberType,
                          const char* key);

/// Writes `plist` to `url` as an XML property list (format 1.0). The file is replaced whole or
/// not at all: a temporary file in the same folder is written, flushed and renamed over it,
/// keeping the old file's permission bits; a file that cannot be opened for writing is not
/// replaced. 0; -50 when the list or the URL is missing; -20 when nothing was written.
std::int32_t WritePropertyListToFile(const cf::Value* plist, const std::filesystem::path* url);
