// Conversion of ticket library codes to library statuses.
#pragma once

#include <cstdint>

/// The library status for a ticket library code: 0 → 0, 1 → 10553, 2 → 10554, 3 → 0xFFFFDA8B,
/// anything else → 22998.
std::uint32_t ConvertTktLibError(int tktLibError);
