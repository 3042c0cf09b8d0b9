// The exchange loop: sends a request over an I/O channel and collects the matching reply
// within a deadline of 10 seconds, resending the request after transport time-outs.
#pragma once

#include <cstdint>

#include "qdxa/qdxa_memory.h"
#include "qdxa/qdxa_session.h"
#include "transport/caio.h"

/// Transport statuses that the exchange treats specially.
inline constexpr std::int32_t kQDXATransportTimedOut = kCaioCodeTimedOut | kCaioCodeBit;  // 4156
inline constexpr std::int32_t kQDXATransportTryAgain = 35 | kCaioCodeBit;                 // 4131

/// Sends the `requestLength` bytes of `sendHandle` over `channel` of `transport` and reads the
/// reply that carries the request's sequence number into `receiveHandle` (grown when the reply
/// is larger; *receiveCapacity then holds the new size). 0 with *receivedLength and *sequence of
/// the last packet read (after 10 s of replies to other requests, that packet is handed back
/// for the parser to refuse); -1 for a missing argument; 4156 when time-outs last until the
/// deadline; 4131 or any other transport status at once; 15851 when the handle cannot grow.
std::int32_t z_GetStatus(CaioChannel* transport, std::int32_t channel, WqsMemHandle* sendHandle,
                         std::uint32_t requestLength, WqsMemHandle* receiveHandle,
                         std::uint32_t* receivedLength, std::uint32_t* receiveCapacity,
                         std::uint16_t* sequence);

/// The receive half of the exchange alone: collects the next packet with `expectedSequence`.
/// Results as z_GetStatus.
std::int32_t z_ReceiveStatus(CaioChannel* transport, std::int32_t channel,
                             std::uint16_t expectedSequence, WqsMemHandle* receiveHandle,
                             std::uint32_t* receivedLength, std::uint32_t* receiveCapacity,
                             std::uint16_t* sequence);

/// Sends the request built in the session's send handle over the control channel and receives
/// the reply into the receive handle; *length receives the bytes received (header included).
/// 0, 15850 for a missing argument, or the exchange's status.
std::int32_t z_PAPStatus(PacketSession* session, std::uint32_t requestLength,
                         std::uint32_t* length);

/// Checks the reply of `length` bytes against the request's sequence number. The result is the
/// reply's result field when flag 0x01 is set, else 6 (also for fewer than 20 bytes); 12 when
/// the sequence differs. Results 1, 4 and 29 give the parameter (clipped to the bytes received)
/// through *data and *dataLength; flag 0x02 sets *more.
std::int32_t z_getReturnPacket(const std::uint8_t* packet, std::uint32_t length,
                               std::uint16_t expectedSequence, const std::uint8_t** data,
                               std::uint32_t* dataLength, bool* more);

/// True when 10 s or more have passed since the start (more than 999 hundredths).
bool zCheckTimeOut(std::int64_t startSeconds, std::int64_t startMicroseconds);
