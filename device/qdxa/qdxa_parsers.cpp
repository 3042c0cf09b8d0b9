// Reply parsers of the packet operations.
#include "qdxa/qdxa_parsers.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "bytes/byte_order.h"
#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_exchange.h"
#include "qdxa/qdxa_header.h"
#include "qdxa/qdxa_memory.h"

namespace {

/// The checked reply: its result and, when it carries data, a reader over the parameter.
struct Reply {
    std::int32_t result = kQDXANoValidResult;
    bool more = false;
    bytes::ByteReader reader{std::span<const std::uint8_t>()};
    std::uint32_t parameterLength = 0;  ///< as the header declares it

    bool hasData() const {
        return result == kQDXASuccess || result == kQDXASuccessAlso || result == kQDXAMoreToFetch;
    }
};

Reply openReply(const PacketSession* session) {
    Reply reply;
    const std::uint8_t* packet =
        session->receiveHandle != nullptr ? session->receiveHandle->data : nullptr;
    // Never trust a received length beyond the handle that holds the bytes.
    const std::uint32_t length =
        packet != nullptr ? std::min(session->receivedLength, session->receiveHandle->size) : 0;
    const std::uint8_t* data = nullptr;
    std::uint32_t dataLength = 0;
    reply.result =
        z_getReturnPacket(packet, length, session->lastSequence, &data, &dataLength, &reply.more);
    if (reply.hasData()) {
        reply.reader = bytes::ByteReader({data, dataLength});
        reply.parameterLength = qdxa::readHeader({packet, length})->parameterLength;
    }
    return reply;
}

/// Copies `run` into a new reply copy (nothing for an empty run); false when memory runs out.
bool copyBytes(std::span<const std::uint8_t> run, QDXAReplyCopy& copy) {
    if (run.empty()) {
        return true;
    }
    void* pointer = nullptr;
    if (QDXA_AllocMemory(static_cast<std::uint32_t>(run.size()), &pointer) != kQDXASuccess) {
        return false;
    }
    std::memcpy(pointer, run.data(), run.size());
    copy.copy.reset(static_cast<std::uint8_t*>(pointer));
    copy.length = static_cast<std::uint32_t>(run.size());
    return true;
}

bool copyRest(bytes::ByteReader& reader, QDXAReplyCopy& copy) {
    return copyBytes(*reader.take(reader.remaining()), copy);
}

/// Reads a counted list of u32 ids, never more than the parameter holds, into a new array.
bool copyIds(bytes::ByteReader& reader, std::uint16_t& count, QDXAMemoryPtr<std::uint32_t>& ids) {
    const auto declared = reader.u16be();
    if (!declared) {
        return true;
    }
    const auto held = std::min<std::size_t>(*declared, reader.remaining() / 4);
    if (held == 0) {
        return true;
    }
    void* pointer = nullptr;
    if (QDXA_AllocMemory(static_cast<std::uint32_t>(held * 4), &pointer) != kQDXASuccess) {
        return false;
    }
    ids.reset(static_cast<std::uint32_t*>(pointer));
    for (std::size_t index = 0; index < held; ++index) {
        ids.get()[index] = *reader.u32be();
    }
    count = static_cast<std::uint16_t>(held);
    return true;
}

/// Stores a field that arrived; a missing one leaves the cleared value.
template <typename T>
bool store(const std::optional<T>& value, T& field) {
    if (value) {
        field = *value;
    }
    return value.has_value();
}

/// Clears the reply record, checks the reply and, when it carries data, lets `read` decode the
/// parameter; `read` returns the operation's result.
template <typename Record, typename Read>
std::int32_t parseReply(PacketSession* session, Record* reply, Read read) {
    *reply = {};
    Reply packet = openReply(session);
    if (!packet.hasData()) {
        return packet.result;
    }
    return read(packet, *reply);
}

std::int32_t readObject(Reply& packet, QDXAObjectReply& reply) {
    store(packet.reader.u32be(), reply.objectId);
    return packet.result;
}

std::int32_t readAddress(Reply& packet, QDXAEndpointAddress& address) {
    std::size_t consumed = 0;
    const auto rest = *packet.reader.take(packet.reader.remaining());
    const std::int32_t status = device::readEndpointAddress(rest, address, consumed);
    return status == kQDXASuccess ? packet.result : status;
}

std::int32_t readFileList(Reply& packet, QDXAFileListReply& reply) {
    return copyIds(packet.reader, reply.count, reply.ids) ? packet.result : kQDXABadReply;
}

/// The width of a ListEx typed value, or nothing for an unknown type.
std::optional<std::size_t> listExValueWidth(std::uint16_t type) {
    switch (type) {
        case kQDXAValueType8:
            return 1;
        case kQDXAValueType16:
        case kQDXAValueType16b:
            return 2;
        case kQDXAValueType32:
        case kQDXAValueType32b:
            return 4;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::int32_t get_echo(PacketSession* session, QDXAEchoReply* reply) {
    return parseReply(session, reply, [](Reply& packet, QDXAEchoReply& r) {
        if (packet.reader.remaining() <= 1) {
            store(packet.reader.u8(), r.value);
            return packet.result;
        }
        return copyRest(packet.reader, r.bytes) ? packet.result : kQDXANoValidResult;
    });
}

std::int32_t get_reserve(PacketSession* session, QDXAReserveReply* reply) {
    return parseReply(session, reply, [](Reply& packet, QDXAReserveReply& r) {
        if (!store(packet.reader.u16be(), r.value16) || !store(packet.reader.u32be(), r.value32)) {
            return packet.result;
        }
        return readAddress(packet, r.address);
    });
}

std::int32_t get_unreserve(PacketSession* session, QDXAUnreserveReply* reply) {
    return parseReply(session, reply, [](Reply& packet, QDXAUnreserveReply& r) {
        return readAddress(packet, r.address);
    });
}

std::int32_t get_Delete(PacketSession* session, QDXAObjectReply* reply) {
    return parseReply(session, reply, readObject);
}

std::int32_t get_CancelJob(PacketSession* session, QDXAObjectReply* reply) {
    return parseReply(session, reply, readObject);
}

std::int32_t get_PauseJob(PacketSession* session, QDXAObjectReply* reply) {
    return parseReply(session, reply, readObject);
}

std::int32_t get_ResumeJob(PacketSession* session, QDXAObjectReply* reply) {
    return parseReply(session, reply, readObject);
}

std::int32_t get_PromoteJob(PacketSession* session, QDXAPromoteJobReply* reply) {
    return parseReply(session, reply, [](Reply& packet, QDXAPromoteJobReply& r) {
        if (packet.reader.skip(4)) {
            store(packet.reader.u32be(), r.value);
        }
        return packet.result;
    });
}

std::int32_t get_ExecuteMethod(PacketSession* session, QDXAExecuteMethodReply* reply) {
    return parseReply(session, reply, [](Reply& packet, QDXAExecuteMethodReply& r) {
        // The reply must hold every byte its length field claims.
        if (packet.parameterLength > packet.reader.remaining()) {
            return kQDXABadReply;
        }
        if (!store(packet.reader.u32be(), r.objectId) ||
            !store(packet.reader.u16be(), r.methodId)) {
            return packet.result;
        }
        return copyRest(packet.reader, r.answer) ? packet.result : kQDXABadReply;
    });
}

std::int32_t get_get2(PacketSession* session, QDXAGet2Reply* reply) {
    return parseReply(session, reply, [](Reply& packet, QDXAGet2Reply& r) {
        if (!store(packet.reader.u16be(), r.objectCount)) {
            return packet.result;
        }
        return copyRest(packet.reader, r.data) ? packet.result : kQDXABadReply;
    });
}

std::int32_t get_set2(PacketSession* session, QDXASet2Reply* reply) {
    return parseReply(session, reply, [](Reply& packet, QDXASet2Reply& r) {
        if (!store(packet.reader.u32be(), r.objectId) ||
            !store(packet.reader.u16be(), r.attributeId)) {
            return packet.result;
        }
        return copyRest(packet.reader, r.rest) ? packet.result : kQDXANoValidResult;
    });
}

std::int32_t get_getListElement(PacketSession* session, QDXAGetListElementReply* reply) {
    return parseReply(session, reply, [](Reply& packet, QDXAGetListElementReply& r) {
        auto& in = packet.reader;
        if (!store(in.u16be(), r.listHandle) || !store(in.u8(), r.value8) ||
            !store(in.u32be(), r.value32) || !store(in.u16be(), r.values16[0]) ||
            !store(in.u16be(), r.values16[1]) || !store(in.u16be(), r.values16[2]) ||
            !store(in.u16be(), r.elementCount) || r.elementCount == 0) {
            return packet.result;
        }
        return copyRest(in, r.elements) ? packet.result : kQDXANoValidResult;
    });
}

std::int32_t get_listObject2(PacketSession* session, QDXAListObjects2Reply* reply) {
    return parseReply(session, reply, [](Reply& packet, QDXAListObjects2Reply& r) {
        auto& in = packet.reader;
        if (!store(in.u16be(), r.listHandle) || !store(in.u8(), r.value8a) ||
            !store(in.u16be(), r.value16a) || !store(in.u8(), r.value8b) ||
            !store(in.u32be(), r.value32) || !store(in.u16be(), r.value16b) ||
            !store(in.u16be(), r.value16c)) {
            return packet.result;
        }
        return copyIds(in, r.count, r.ids) ? packet.result : kQDXANoValidResult;
    });
}

std::int32_t get_listex(PacketSession* session, QDXAListExReply* reply) {
    return parseReply(session, reply, [](Reply& packet, QDXAListExReply& r) {
        auto& in = packet.reader;
        if (!store(in.u16be(), r.listHandle) || !store(in.u8(), r.value8) ||
            !store(in.u32be(), r.value32) || !store(in.u16be(), r.valueType)) {
            return packet.result;
        }
        const auto width = listExValueWidth(r.valueType);
        if (!width) {
            return kQDXANoValidResult;
        }
        if (!in.skip(*width)) {
            return packet.result;
        }
        for (std::uint16_t& value : r.values16) {
            if (!store(in.u16be(), value)) {
                return packet.result;
            }
        }
        return copyRest(in, r.data) ? packet.result : kQDXANoValidResult;
    });
}

std::int32_t get_ExecuteFile2(PacketSession* session, QDXAExecuteFile2Reply* reply) {
    return parseReply(session, reply, [](Reply& packet, QDXAExecuteFile2Reply& r) {
        if (store(packet.reader.u32be(), r.first) && store(packet.reader.u32be(), r.second)) {
            store(packet.reader.u8(), r.value8);
        }
        return packet.result;
    });
}

std::int32_t get_DeleteFiles(PacketSession* session, QDXAFileListReply* reply) {
    return parseReply(session, reply, readFileList);
}

std::int32_t get_ReplaceFiles(PacketSession* session, QDXAFileListReply* reply) {
    return parseReply(session, reply, [](Reply& packet, QDXAFileListReply& r) {
        if (!store(packet.reader.u32be(), r.value32) || !store(packet.reader.u16be(), r.value16)) {
            return packet.result;
        }
        return readFileList(packet, r);
    });
}

std::int32_t get_ChangeFileBoxPassword(PacketSession* session,
                                       QDXAChangeFileBoxPasswordReply* reply) {
    return parseReply(session, reply, [](Reply& packet, QDXAChangeFileBoxPasswordReply& r) {
        if (store(packet.reader.u32be(), r.value32)) {
            store(packet.reader.u8(), r.value8);
        }
        return packet.result;
    });
}

std::int32_t get_AcquireResource(PacketSession* session, QDXAAcquireResourceReply* reply) {
    return parseReply(session, reply, [](Reply& packet, QDXAAcquireResourceReply& r) {
        const std::int32_t result =
            packet.result == kQDXASuccess && packet.more ? kQDXAMoreToFetch : packet.result;
        if (!store(packet.reader.u32be(), r.value32)) {
            return result;
        }
        return copyRest(packet.reader, r.data) ? result : kQDXANoValidResult;
    });
}
