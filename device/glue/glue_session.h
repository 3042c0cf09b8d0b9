// Protocol sessions: the printer-control conversation that administration requests run on.
#pragma once

#include <cstdint>

struct GlueSession;

/// Channel kind of a session bound for administration: the control channel.
inline constexpr std::uint8_t kGlueChannelControl = 2;

/// Opens a protocol session over `transport` (an open-ready channel made from `address`, which
/// begins with its IO signature) and stores it in `session`. Returns 0 or a glue code or a
/// protocol status; the session is handed out only on success.
std::int32_t glue_qdxaOpen(const char* address, void* transport, std::uint8_t channelKind,
                           GlueSession** session);

/// Closes the session and clears the reference; 0 for a null session. A failed close returns
/// its status and leaves the session as it was.
std::int32_t glue_qdxaClose(GlueSession** session, std::uint8_t abort);
