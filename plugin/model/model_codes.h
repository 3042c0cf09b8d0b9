// Plug-in error codes that the settings model answers.
#pragma once

#include <cstdint>

#include "plugin_error_codes.h"

/// A needed file was not found (the model's default table or its print-common values): tell the
/// user, and do not hand the core a record filled without them.
inline constexpr std::uint32_t kPlgFileNotFound = plugin_error_codes::kErrFileNotFound;
/// No core job record to fill (its allocation failed): tell the user memory ran out.
inline constexpr std::uint32_t kPlgRecordOutOfMemory = plugin_error_codes::kErrRecordOutOfMemory;
