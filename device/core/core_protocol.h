// The protocol layer as the administration core reaches it: session open and close, and the
// get, set and control request handlers.
#pragma once

#include <cstdint>

#include "ticket/ticket_library.h"

struct GlueSession;

struct CoreProtocolLayer {
    std::int32_t (*open)(const char* address, void* transport, std::uint8_t channelKind,
                         GlueSession** session);
    std::int32_t (*close)(GlueSession** session, std::uint8_t abort);
    std::uint32_t (*getInfo)(GlueSession* session, const TktLibTicket* request,
                             TktLibTicket* result);
    std::uint32_t (*setInfo)(GlueSession* session, const TktLibTicket* request,
                             TktLibTicket* result);
    std::uint32_t (*controlInfo)(GlueSession* session, const TktLibTicket* request,
                                 TktLibTicket* result);
};

/// The layer in use: the library's own protocol operations unless replaced.
const CoreProtocolLayer& CoreGetProtocolLayer();

/// Puts `layer` in place of the library's own operations; null puts them back. Tests use it to
/// record what the core asks of the protocol layer. The layer must outlive its use.
void CoreReplaceProtocolLayer(const CoreProtocolLayer* layer);
