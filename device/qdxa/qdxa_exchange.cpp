// The exchange loop of the packet codec.
#include "qdxa/qdxa_exchange.h"

#include <algorithm>
#include <cstring>

#include "qdxa/qdxa_channel.h"
#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_header.h"
#include "qdxa_protocol/time_unit.h"

namespace {

// Every exchange ends 10 s (1000 hundredths) after it started.
constexpr qdxa::Hundredths kDeadline{999};

struct Exchange {
    CaioChannel* transport;
    std::int32_t channel;
    timeval start;

    bool deadlinePassed() const { return zCheckTimeOut(start.tv_sec, start.tv_usec); }
};

/// Repeats `transfer` (offset, in/out count) until `length` bytes have moved; a transfer that
/// moves nothing after the deadline counts as a time-out.
template <typename Transfer>
std::int32_t transferAll(const Exchange& exchange, std::uint32_t length, Transfer transfer) {
    std::uint32_t done = 0;
    while (done < length) {
        std::uint64_t count = length - done;
        const std::int32_t status = transfer(done, &count);
        if (status != kCaioNoErr) {
            return status;
        }
        done += static_cast<std::uint32_t>(std::min<std::uint64_t>(count, length - done));
        if (count == 0 && exchange.deadlinePassed()) {
            return kQDXATransportTimedOut;
        }
    }
    return kCaioNoErr;
}

/// Offers the bytes until the channel has taken them all.
std::int32_t writeAll(const Exchange& exchange, const std::uint8_t* data, std::uint32_t length) {
    return transferAll(exchange, length, [&](std::uint32_t offset, std::uint64_t* count) {
        return qdxaChannelSeam().current().write(exchange.transport, exchange.channel,
                                                 data + offset, count, kCaioControlTimeLimit);
    });
}

/// Reads exactly `length` bytes, in as many reads as it takes.
std::int32_t readExact(const Exchange& exchange, std::uint8_t* out, std::uint32_t length) {
    return transferAll(exchange, length, [&](std::uint32_t offset, std::uint64_t* count) {
        return qdxaChannelSeam().current().read(exchange.transport, exchange.channel, out + offset,
                                                count, kCaioControlTimeLimit);
    });
}

struct ReceiveTarget {
    WqsMemHandle* handle;
    std::uint32_t* receivedLength;
    std::uint32_t* capacity;
    std::uint16_t* sequence;
};

/// Reads one packet into the receive handle; `matched` tells whether it answers the request.
std::int32_t receivePacket(const Exchange& exchange, std::uint16_t expectedSequence,
                           const ReceiveTarget& target, bool& matched) {
    // A stream read that times out delivers nothing and reports success: the header is cleared
    // first so that stale bytes can never pass for an answer.
    std::uint8_t header[qdxa::kHeaderSize] = {};
    std::int32_t status = readExact(exchange, header, qdxa::kHeaderSize);
    if (status != kCaioNoErr) {
        return status;
    }
    std::uint16_t sequence = 0;
    std::uint16_t parameterLength = 0;
    matched = z_CheckQDXAHeader(header, qdxa::kHeaderSize, &expectedSequence, &sequence,
                                &parameterLength);
    // Without the magic the bytes are no packet and announce no parameter.
    if (header[0] != qdxa::kMagic0 || header[1] != qdxa::kMagic1) {
        parameterLength = 0;
    }
    const std::uint32_t total = qdxa::kHeaderSize + parameterLength;
    if (target.handle->size < total) {
        status = Wqs_Mem_SetHandleSize(target.handle, total);
        if (status != kQDXANoErr) {
            return status;
        }
        *target.capacity = total;
    }
    std::memcpy(target.handle->data, header, qdxa::kHeaderSize);
    std::memset(target.handle->data + qdxa::kHeaderSize, 0, parameterLength);
    status = readExact(exchange, target.handle->data + qdxa::kHeaderSize, parameterLength);
    if (status != kCaioNoErr) {
        return status;
    }
    *target.receivedLength = total;
    *target.sequence = sequence;
    return kCaioNoErr;
}

/// Sends the request (when there is one) and collects its reply; a time-out before the
/// deadline starts over with the sending.
std::int32_t exchangePackets(const Exchange& exchange, const std::uint8_t* request,
                             std::uint32_t requestLength, std::uint16_t expectedSequence,
                             const ReceiveTarget& target) {
    for (;;) {
        std::int32_t status = writeAll(exchange, request, requestLength);
        while (status == kCaioNoErr) {
            bool matched = false;
            status = receivePacket(exchange, expectedSequence, target, matched);
            if (status == kCaioNoErr && (matched || exchange.deadlinePassed())) {
                return kCaioNoErr;
            }
        }
        if (status != kQDXATransportTimedOut || exchange.deadlinePassed()) {
            return status;
        }
    }
}

Exchange startExchange(CaioChannel* transport, std::int32_t channel) {
    Exchange exchange{transport, channel, {}};
    qdxaChannelSeam().current().now(&exchange.start);
    return exchange;
}

}  // namespace

std::int32_t z_GetStatus(CaioChannel* transport, std::int32_t channel, WqsMemHandle* sendHandle,
                         std::uint32_t requestLength, WqsMemHandle* receiveHandle,
                         std::uint32_t* receivedLength, std::uint32_t* receiveCapacity,
                         std::uint16_t* sequence) {
    if (sendHandle == nullptr || receiveHandle == nullptr || receivedLength == nullptr ||
        receiveCapacity == nullptr || sequence == nullptr || requestLength < qdxa::kHeaderSize ||
        requestLength > sendHandle->size) {
        return kQDXAExchangeFailure;
    }
    const auto request = qdxa::readHeader({sendHandle->data, requestLength});
    return exchangePackets(startExchange(transport, channel), sendHandle->data, requestLength,
                           request->sequence,
                           {receiveHandle, receivedLength, receiveCapacity, sequence});
}

std::int32_t z_ReceiveStatus(CaioChannel* transport, std::int32_t channel,
                             std::uint16_t expectedSequence, WqsMemHandle* receiveHandle,
                             std::uint32_t* receivedLength, std::uint32_t* receiveCapacity,
                             std::uint16_t* sequence) {
    if (receiveHandle == nullptr || receivedLength == nullptr || receiveCapacity == nullptr ||
        sequence == nullptr) {
        return kQDXAExchangeFailure;
    }
    return exchangePackets(startExchange(transport, channel), nullptr, 0, expectedSequence,
                           {receiveHandle, receivedLength, receiveCapacity, sequence});
}

std::int32_t z_PAPStatus(PacketSession* session, std::uint32_t requestLength,
                         std::uint32_t* length) {
    if (session == nullptr || length == nullptr) {
        return kQDXAMissingArgument;
    }
    std::uint32_t capacity = session->receiveHandle->size;
    std::uint16_t sequence = 0;
    session->receivedLength = 0;
    const std::int32_t status =
        z_GetStatus(session->transport, kQDXAControlChannel, session->sendHandle, requestLength,
                    session->receiveHandle, &session->receivedLength, &capacity, &sequence);
    *length = session->receivedLength;
    return status;
}

std::int32_t z_getReturnPacket(const std::uint8_t* packet, std::uint32_t length,
                               std::uint16_t expectedSequence, const std::uint8_t** data,
                               std::uint32_t* dataLength, bool* more) {
    *data = nullptr;
    *dataLength = 0;
    *more = false;
    const auto header = packet != nullptr ? qdxa::readHeader({packet, length}) : std::nullopt;
    if (!header) {
        return kQDXANoValidResult;
    }
    const std::int32_t result =
        (header->flags & qdxa::kFlagResultValid) != 0 ? header->result : kQDXANoValidResult;
    *more = (header->flags & qdxa::kFlagMore) != 0;
    if (header->sequence != expectedSequence) {
        return kQDXASequenceMismatch;
    }
    if (result == kQDXASuccess || result == kQDXASuccessAlso || result == kQDXAMoreToFetch) {
        *data = packet + qdxa::kHeaderSize;
        *dataLength = std::min<std::uint32_t>(header->parameterLength, length - qdxa::kHeaderSize);
    }
    return result;
}

bool zCheckTimeOut(std::int64_t startSeconds, std::int64_t startMicroseconds) {
    timeval now{};
    qdxaChannelSeam().current().now(&now);
    timeval start{};
    start.tv_sec = static_cast<decltype(start.tv_sec)>(startSeconds);
    start.tv_usec = static_cast<decltype(start.tv_usec)>(startMicroseconds);
    return qdxa::hundredthsBetween(start, now) > kDeadline;
}
