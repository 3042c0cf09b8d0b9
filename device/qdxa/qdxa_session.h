// The packet session: one per open printer-control connection, from QDXA_Bind to QDXA_Unbind.
#pragma once

#include <cstdint>
#include <string>

#include "qdxa/qdxa_endpoint.h"
#include "qdxa/qdxa_memory.h"
#include "qdxa_protocol/codes.h"
#include "transport/caio.h"

/// Open modes of the two channels of a session.
inline constexpr std::int32_t kQDXAControlChannel = 1;
inline constexpr std::int32_t kQDXABinaryChannel = 2;

/// Every request is built in a send handle of this size, header included.
inline constexpr std::uint32_t kQDXASendSize = 512;

/// What the protocol session hands to QDXA_Bind.
struct QDXABindRecord {
    const char* deviceURI = nullptr;         ///< transport address string
    CaioChannel* transport = nullptr;        ///< I/O channel of the control connection
    CaioChannel* binaryTransport = nullptr;  ///< I/O channel of the binary connection
    void* owner = nullptr;                   ///< the protocol session
    std::uint8_t channelKind = 0;  ///< qdxa::kChannelKindControl or qdxa::kChannelKindBinary
    QDXAEndpointAddress endpoint;  ///< the printer's endpoint (kind 2, 20 or 15)
    QDXAEndpointAddress reservedEndpoint;  ///< a reserved resource channel
};

struct PacketSession {
    std::string deviceURI;
    CaioChannel* transport = nullptr;  ///< borrowed from the bind record's owner
    void* owner = nullptr;
    bool controlChannelOpen = false;
    bool binaryChannelOpen = false;
    WqsMemHandle* sendHandle = nullptr;
    std::uint32_t sendSize = 0;
    WqsMemHandle* receiveHandle = nullptr;
    std::uint32_t receiveSize = 0;     ///< the size chosen at bind; the handle may grow past it
    std::uint16_t sequence = 1;        ///< the next request's sequence number
    std::uint16_t lastSequence = 0;    ///< the sequence number of the request just built
    std::uint32_t receivedLength = 0;  ///< bytes of the last reply in the receive handle
    std::uint8_t abort = 0;
};

/// The two 32-bit identifiers written into header bytes 10-17.
struct QDXAIdentifiers {
    std::uint32_t first = 0;
    std::uint32_t second = 0;
};

/// Makes a session and opens its channel; 1 and the session, or an error with *session null:
/// 15850 missing argument, 15851 no memory, 19 address kind unknown, -1 channel kind unknown, or
/// the open's channel status.
std::int32_t QDXA_Bind(const QDXABindRecord* bindRecord, const QDXAEndpointAddress* address,
                       PacketSession** session);
/// Closes the open channels (binary, then control) and frees the session; 1, or the status of
/// a failed close (the session is freed all the same). Null is ignored (1).
std::int32_t QDXA_Unbind(PacketSession* session);
/// Stores the abort flag; 0, or 15850 without a session.
std::int32_t NCT_QDXA_SetAbort(PacketSession* session, std::uint8_t flag);
/// The receive size chosen at bind (0 without a session).
std::uint32_t RecievePacketSize(const PacketSession* session);

/// The library-wide packet-dump flag (0 or 1); nothing in the library reads it.
std::uint8_t isDumpEnabled();
void setIsDumpEnabled(std::uint8_t flag);
