// The job path of the core: one print-data channel per job context.
#pragma once

#include <cstdint>

#include "core/core_context.h"

/// 0; 1 without a context.
std::uint32_t CoreJobInitialize(CoreContext* context);

/// Makes the print-data channel from the context's IO signature and opens it for job data:
/// LPR, or raw data to `port` when `raw` is not 0. 2 when the channel cannot be made; a failed
/// open leaves no channel behind and returns the mapped channel status.
std::uint32_t CoreJobStart(CoreContext* context, std::uint32_t port, std::uint8_t raw);

/// Writes `*length` bytes; `*length` comes back as the bytes the channel accepted. 1 without a
/// context, data, length or open channel.
std::uint32_t CoreJobWrite(CoreContext* context, const void* data, std::uint32_t* length);

/// Closes and destroys the channel, whatever the close returned; returns the close's mapped
/// status. 1 without a context.
std::uint32_t CoreJobEnd(CoreContext* context);

/// Nothing: the job path holds nothing beyond the context.
void CoreJobTerminate(CoreContext* context);
