// Downloading a binary resource of the printer over a reserved binary channel.
#pragma once

#include <cstdint>

#include "glue/glue_session.h"
#include "qdxa/qdxa_memory.h"

/// The values that a resource-channel reservation asks with.
inline constexpr std::uint16_t kResourceReserveValue = 2012;
inline constexpr std::uint32_t kResourceReserveObject = 501;

/// Reserves a binary channel, binds a second packet session over a second transport, collects
/// every part of resource `resourceId` and appends it to `handle` (*size counts the bytes),
/// then unbinds, destroys the second transport and releases the reservation. 0; 2 when the
/// second transport cannot be made; 15850 for a missing argument; or the reservation's, the
/// bind's or the acquisition's status.
std::int32_t glue_qdxaBinaryAquireResource(GlueSession* session, std::uint32_t resourceId,
                                           WqsMemHandle* handle, std::uint32_t* size);
