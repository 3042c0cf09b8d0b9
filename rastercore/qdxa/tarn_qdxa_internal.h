// Helpers shared by the packet glue's source files.
#pragma once

#include <cstdint>

/// The glue never reads a reply, so the status it hands back is always cleared.
inline void clearStatus(std::int16_t* status) {
    if (status != nullptr) {
        *status = 0;
    }
}

/// Identifiers of every packet the core sends.
inline constexpr std::uint32_t kJobIdentifier = 0;
