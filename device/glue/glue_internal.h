// Helpers that the glue operations share: header identifiers, endpoint kinds, appending
// replies to the caller's memory handle, and the ownership of reply copies.
#pragma once

#include <cstdint>
#include <memory>

#include "glue/glue_session.h"
#include "qdxa/qdxa_memory.h"
#include "qdxa/qdxa_operations.h"
#include "qdxa/qdxa_records.h"
#include "qdxa/qdxa_session.h"

namespace device {

/// The header identifiers of a session's requests.
inline QDXAIdentifiers glueIdentifiers(const GlueSession& session) {
    return {session.userId1, session.userId2};
}

/// The endpoint address kind for the IO signature that `address` begins with (2 "net:",
/// 20 "net6:", 15 "usb://"), or 0 when it has none of them.
std::uint16_t glueEndpointKind(const char* address);

/// Grows `handle` to hold `length` more bytes after the first `size` and copies them there;
/// `size` then counts them. 0, or the handle's error (15851 when it cannot grow) with `size`
/// and the data unchanged.
std::int32_t glueAppend(WqsMemHandle* handle, std::uint32_t& size, const std::uint8_t* data,
                        std::uint32_t length);

/// Cuts `handle` to exactly `size` bytes (a handle keeps at least one byte).
void glueFitHandle(WqsMemHandle* handle, std::uint32_t size);

/// Sends one Get2 request for `objectCount` objects and `attributeCount` attributes with the
/// session's user ids; the codec's status, the reply in `reply`.
std::int32_t glueRequestGet2(GlueSession& session, const std::uint32_t* objectIds,
                             std::uint16_t objectCount, const std::uint16_t* attributeIds,
                             std::uint16_t attributeCount, QDXAGet2Reply& reply);

/// Ends a list on the printer: `request` again with the end step under `listHandle`. Its
/// answer changes nothing.
template <typename Request, typename Reply>
void glueEndList(GlueSession& session, Request request, std::uint16_t listHandle,
                 std::int32_t (*operation)(PacketSession*, const QDXAIdentifiers*, const Request*,
                                           Reply*)) {
    const QDXAIdentifiers ids = glueIdentifiers(session);
    request.operation = kQDXAListEnd;
    request.listHandle = listHandle;
    Reply reply;
    operation(session.packetSession, &ids, &request, &reply);
}

/// Disposes a memory handle when it goes out of scope.
struct GlueHandleDispose {
    void operator()(WqsMemHandle* handle) const { Wqs_Mem_DisposeHandle(handle); }
};
using GlueHandle = std::unique_ptr<WqsMemHandle, GlueHandleDispose>;

}  // namespace device
