// Binary resource download: reserve a channel, bind over it, collect the parts, release.
#include "query/query_resource.h"

#include <cstring>

#include "glue/glue_error.h"
#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_operations.h"
#include "qdxa/qdxa_session.h"
#include "query/query_internal.h"
#include "transport/caio_channel.h"

namespace {

constexpr std::int32_t kNoTransport = 2;
// Endpoint kind 3 reserves kind 4; kinds without an entry here reserve themselves.
constexpr std::uint16_t kEndpointKind3 = 3;
constexpr std::uint16_t kReservedKindFor3 = 4;

// The reserved address kind for the session's endpoint kind.
std::uint16_t reservedKindFor(std::uint16_t kind) {
    switch (kind) {
        case kGlueEndpointNet:
            return kQDXAAddressIPv4;
        case kEndpointKind3:
            return kReservedKindFor3;
        case kGlueEndpointNet6:
            return kQDXAAddressIPv6;
        default:
            return kind;
    }
}

// Collects the parts of the resource over the bound binary session.
std::int32_t collectParts(GlueSession& session, PacketSession* binary, std::uint32_t resourceId,
                          WqsMemHandle* handle, std::uint32_t& size) {
    const QDXAIdentifiers ids = device::glueIdentifiers(session);
    std::uint16_t sequence = 0;
    std::uint32_t nextResource = resourceId;
    for (;;) {
        QDXAAcquireResourceReply reply;
        const std::int32_t status =
            QDXA_AcquireResource(binary, &ids, nextResource, &reply, &sequence);
        if (status != kQDXASuccess && status != kQDXAMoreToFetch) {
            return status;
        }
        const std::int32_t appended =
            device::glueAppend(handle, size, reply.data.copy.get(), reply.data.length);
        if (appended != kGlueNoErr) {
            return appended;
        }
        if (status == kQDXASuccess) {
            return kGlueNoErr;
        }
        // A follow-up part that brings nothing yet announces more would go on for ever.
        if (nextResource == 0 && reply.data.length == 0) {
            return kGlueListStalled;
        }
        nextResource = 0;  // ask for the next part of the same acquisition
    }
}

}  // namespace

std::int32_t glue_qdxaBinaryAquireResource(GlueSession* session, std::uint32_t resourceId,
                                           WqsMemHandle* handle, std::uint32_t* size) {
    if (session == nullptr || session->bindRecord == nullptr || handle == nullptr ||
        size == nullptr) {
        return kGlueParamErr;
    }
    *size = 0;
    QDXABindRecord& record = *session->bindRecord;
    const QDXAIdentifiers ids = device::glueIdentifiers(*session);
    QDXAReserveRequest reserve;
    reserve.requestValue = kResourceReserveValue;
    reserve.objectId = kResourceReserveObject;
    reserve.addressKind = reservedKindFor(record.endpoint.kind);
    QDXAReserveReply reserved;
    const std::int32_t reservation =
        QDXA_Reserve(session->packetSession, &ids, &reserve, &reserved);
    const bool isReserved = reservation == kQDXASuccess;
    if (isReserved && record.endpoint.kind == kQDXAAddressUSB) {
        // A USB printer answers without its own address; it is the one the session is bound to.
        reserved.address.usbFirst = record.endpoint.usbFirst;
        std::memcpy(reserved.address.usbAddress, record.endpoint.usbAddress,
                    sizeof reserved.address.usbAddress);
        reserved.address.usbLast = record.endpoint.usbLast;
    }

    std::int32_t status = kGlueNoErr;
    // The binary channel lives for this download only; the bind record borrows it meanwhile.
    const CaioChannelPtr binaryChannel(caioCreate(record.deviceURI));
    record.binaryTransport = binaryChannel.get();
    if (record.binaryTransport == nullptr) {
        status = kNoTransport;
    } else if (!isReserved) {
        status = reservation;
    } else {
        const std::uint8_t channelKind = record.channelKind;
        record.channelKind = qdxa::kChannelKindBinary;
        PacketSession* binary = nullptr;
        const std::int32_t bound = QDXA_Bind(&record, &reserved.address, &binary);
        record.channelKind = channelKind;
        if (bound != kQDXANoErr && bound != kQDXASuccess) {
            status = bound;
        } else {
            status = collectParts(*session, binary, resourceId, handle, *size);
            QDXA_Unbind(binary);
        }
    }
    record.binaryTransport = nullptr;
    if (isReserved) {
        QDXAUnreserveRequest release{&reserved.address};
        QDXAUnreserveReply released;
        QDXA_Unreserve(session->packetSession, &ids, &release, &released);
    }
    return status;
}
