// Binding and unbinding packet sessions.
#include "qdxa/qdxa_session.h"

#include <new>

#include "qdxa/qdxa_channel.h"
#include "qdxa/qdxa_error.h"

namespace {

// Receive sizes: the binary channel takes the largest packet; the control channel's size
// depends on the kind of the printer's endpoint address.
constexpr std::uint32_t kBinaryReceiveSize = 65535;
constexpr std::uint32_t kSmallReceiveSize = 512;
constexpr std::uint32_t kLargeReceiveSize = 4096;
constexpr std::int32_t kAnyPort = -1;

std::uint8_t gDumpEnabled = 0;

/// The control channel's receive size for an address kind, or 0 for an unknown kind.
std::uint32_t controlReceiveSize(std::uint16_t kind) {
    switch (kind) {
        case 7:
        case 16:
        case 17:
            return kSmallReceiveSize;
        case 1:
        case 2:
        case 6:
        case 15:
        case 19:
        case 20:
            return kLargeReceiveSize;
        default:
            return 0;
    }
}

std::int32_t openChannel(PacketSession& session, const QDXABindRecord& bindRecord) {
    std::int32_t mode = 0;
    if (bindRecord.channelKind == qdxa::kChannelKindControl) {
        mode = kQDXAControlChannel;
    } else if (bindRecord.channelKind == qdxa::kChannelKindBinary) {
        mode = kQDXABinaryChannel;
        session.transport = bindRecord.binaryTransport;
    } else {
        return kQDXAExchangeFailure;
    }
    const std::int32_t status = qdxaChannelSeam().current().open(
        session.transport, mode, kAnyPort, 0, nullptr, nullptr, kCaioControlOpenTimeLimit);
    if (status != kCaioNoErr) {
        return status;
    }
    (mode == kQDXAControlChannel ? session.controlChannelOpen : session.binaryChannelOpen) = true;
    return kQDXASuccess;
}

std::int32_t bindInto(PacketSession& session, const QDXABindRecord& bindRecord,
                      std::uint16_t addressKind) {
    if (bindRecord.deviceURI != nullptr) {
        session.deviceURI = bindRecord.deviceURI;
    }
    session.transport = bindRecord.transport;
    session.owner = bindRecord.owner;
    session.sequence = 1;
    session.sendSize = kQDXASendSize;
    session.sendHandle = Wqs_Mem_NewHandle(session.sendSize);
    if (session.sendHandle == nullptr) {
        return kQDXAOutOfMemory;
    }
    session.receiveSize = bindRecord.channelKind == qdxa::kChannelKindBinary
                              ? kBinaryReceiveSize
                              : controlReceiveSize(addressKind);
    if (session.receiveSize == 0) {
        return kQDXAUnknownAddressKind;
    }
    session.receiveHandle = Wqs_Mem_NewHandle(session.receiveSize);
    if (session.receiveHandle == nullptr) {
        return kQDXAOutOfMemory;
    }
    return openChannel(session, bindRecord);
}

void closeChannel(PacketSession& session, bool& open, std::int32_t mode, std::int32_t& status) {
    if (!open) {
        return;
    }
    open = false;
    const std::int32_t closed = qdxaChannelSeam().current().close(session.transport, mode);
    if (closed != kCaioNoErr) {
        status = closed;
    }
}

}  // namespace

std::int32_t QDXA_Bind(const QDXABindRecord* bindRecord, const QDXAEndpointAddress* address,
                       PacketSession** session) {
    if (session != nullptr) {
        *session = nullptr;
    }
    if (bindRecord == nullptr || address == nullptr || session == nullptr) {
        return kQDXAMissingArgument;
    }
    auto* made = new (std::nothrow) PacketSession;
    if (made == nullptr) {
        return kQDXAOutOfMemory;
    }
    const std::int32_t status = bindInto(*made, *bindRecord, address->kind);
    if (status != kQDXASuccess) {
        QDXA_Unbind(made);
        return status;
    }
    *session = made;
    return kQDXASuccess;
}

std::int32_t QDXA_Unbind(PacketSession* session) {
    if (session == nullptr) {
        return kQDXASuccess;
    }
    // Binary channel first, then the control channel; a failed close is reported, not fatal.
    std::int32_t status = kQDXASuccess;
    closeChannel(*session, session->binaryChannelOpen, kQDXABinaryChannel, status);
    closeChannel(*session, session->controlChannelOpen, kQDXAControlChannel, status);
    Wqs_Mem_DisposeHandle(session->sendHandle);
    Wqs_Mem_DisposeHandle(session->receiveHandle);
    delete session;
    return status;
}

std::int32_t NCT_QDXA_SetAbort(PacketSession* session, std::uint8_t flag) {
    if (session == nullptr) {
        return kQDXAMissingArgument;
    }
    session->abort = flag;
    return kQDXANoErr;
}

std::uint32_t RecievePacketSize(const PacketSession* session) {
    return session != nullptr ? session->receiveSize : 0;
}

std::uint8_t isDumpEnabled() {
    return gDumpEnabled;
}

void setIsDumpEnabled(std::uint8_t flag) {
    gDumpEnabled = flag != 0 ? 1 : 0;
}
