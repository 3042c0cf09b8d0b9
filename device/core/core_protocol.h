// The protocol layer as the administration core reaches it: session open and close, and the
// get, set and control request handlers.
#pragma once

#include <cstdint>

#include "seam/seam.h"
#include "ticket/ticket_library.h"

struct CaioChannel;
struct GlueSession;

struct CoreProtocolLayer {
    std::int32_t (*open)(const char* address, CaioChannel* transport, std::uint8_t channelKind,
                         GlueSession** session);
    std::int32_t (*close)(GlueSession** session, std::uint8_t abort);
    std::uint32_t (*getInfo)(GlueSession* session, const TktLibTicket* request,
                             TktLibTicket* result);
    std::uint32_t (*setInfo)(GlueSession* session, const TktLibTicket* request,
                             TktLibTicket* result);
    std::uint32_t (*controlInfo)(GlueSession* session, const TktLibTicket* request,
                                 TktLibTicket* result);
};

/// The seam of the protocol layer. Its production table, the library's own session and request
/// operations, is bound where the library is put together; tests put a recording layer in place
/// with a seam::ScopedOverride.
seam::Seam<CoreProtocolLayer>& coreProtocolSeam();

/// The layer in use: the library's own protocol operations unless overridden.
const CoreProtocolLayer& CoreGetProtocolLayer();
