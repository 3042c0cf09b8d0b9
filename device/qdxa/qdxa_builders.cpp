// Request builders of the packet operations.
#include "qdxa/qdxa_builders.h"

#include <cstring>
#include <span>
#include <vector>

#include "bytes/byte_order.h"
#include "qdxa/qdxa_header.h"

namespace {

using Parameter = std::vector<std::uint8_t>;

template <typename T>
std::span<const T> run(const T* data, std::size_t count) {
    return data != nullptr ? std::span<const T>(data, count) : std::span<const T>();
}

/// Writes header and parameter into the send handle with the next sequence number.
std::uint32_t finishRequest(PacketSession* session, std::uint16_t operation,
                            const QDXAIdentifiers* ids, const Parameter& parameter) {
    const std::size_t length = qdxa::kHeaderSize + parameter.size();
    if (session == nullptr || session->sendHandle == nullptr ||
        length > session->sendHandle->size) {
        return 0;
    }
    // The counter wraps through 0, which goes out as 1.
    const std::uint16_t counter = session->sequence;
    const std::uint16_t sequence = counter == 0 ? 1 : counter;
    qdxa::HeaderFields fields;
    fields.flags = qdxa::kRequestFlags;
    fields.operation = operation;
    fields.sequence = sequence;
    fields.parameterLength = static_cast<std::uint16_t>(parameter.size());
    if (ids != nullptr) {
        fields.firstIdentifier = ids->first;
        fields.secondIdentifier = ids->second;
    }
    qdxa::writeHeader(session->sendHandle->data, fields);
    if (!parameter.empty()) {
        std::memcpy(session->sendHandle->data + qdxa::kHeaderSize, parameter.data(),
                    parameter.size());
    }
    session->lastSequence = sequence;
    session->sequence = static_cast<std::uint16_t>(counter + 1);
    return static_cast<std::uint32_t>(length);
}

/// Builds a request whose parameter `write` produces from the request record.
template <typename Request, typename Write>
std::uint32_t buildRequest(PacketSession* session, std::uint16_t operation,
                           const QDXAIdentifiers* ids, const Request* request, Write write) {
    if (request == nullptr) {
        return 0;
    }
    Parameter parameter;
    bytes::ByteWriter writer(parameter);
    write(writer, *request);
    return finishRequest(session, operation, ids, parameter);
}

void writeAccess(bytes::ByteWriter& writer, const QDXAAccessBlock& access) {
    writer.u8(access.kind);
    writer.u8(access.length);
    writer.bytes(run(access.bytes, access.length));
}

void writeIds32(bytes::ByteWriter& writer, const std::uint32_t* ids, std::uint16_t count) {
    writer.u16be(count);
    for (std::uint32_t id : run(ids, count)) {
        writer.u32be(id);
    }
}

/// List handle, reply room and list operation: the start of every list request.
template <typename Request>
void writeListStart(bytes::ByteWriter& writer, const Request& request) {
    writer.u16be(request.listHandle);
    writer.u16be(request.replyRoom);
    writer.u8(request.operation);
}

void writeObject(bytes::ByteWriter& writer, const QDXAObjectRequest& request) {
    writer.u32be(request.objectId);
}

/// The typed value of a ListEx request and its closing field, in the type's width, padded to
/// the fixed parameter size (the typed value starts at parameter byte 11 of 15).
void writeListExValue(bytes::ByteWriter& writer, const QDXAListExRequest& request) {
    switch (request.valueType) {
        case kQDXAValueType8:
            writer.u8(static_cast<std::uint8_t>(request.value));
            writer.u16be(request.closing);
            writer.u8(0);
            break;
        case kQDXAValueType16:
        case kQDXAValueType16b:
            writer.u16be(static_cast<std::uint16_t>(request.value));
            writer.u16be(request.closing);
            break;
        case kQDXAValueType32:
        case kQDXAValueType32b:
            // The value reaches the end of the parameter: no closing field.
            writer.u32be(request.value);
            break;
        default:
            writer.u16be(request.closing);
            writer.u16be(0);
            break;
    }
}

void writeFileEntries(bytes::ByteWriter& writer, const QDXAFileEntry* entries,
                      std::uint16_t count) {
    writer.u16be(count);
    for (const QDXAFileEntry& entry : run(entries, count)) {
        writer.u32be(entry.fileId);
        writer.u16be(entry.itemCount);
        for (const QDXAFileItem& item : run(entry.items, entry.itemCount)) {
            writer.u16be(item.itemId);
            writer.u16be(item.length);
            writer.bytes(run(item.bytes, item.length));
        }
    }
}

}  // namespace

std::uint32_t make_echo(PacketSession* session, const QDXAIdentifiers* ids,
                        const QDXAEchoRequest* request) {
    const QDXAEchoRequest none;
    return buildRequest(
        session, qdxa::kOpEcho, ids, request != nullptr ? request : &none,
        [](bytes::ByteWriter& w, const QDXAEchoRequest& r) { w.bytes(run(r.data, r.length)); });
}

std::uint32_t make_reserve(PacketSession* session, const QDXAIdentifiers* ids,
                           const QDXAReserveRequest* request) {
    return buildRequest(session, qdxa::kOpReserve, ids, request,
                        [](bytes::ByteWriter& w, const QDXAReserveRequest& r) {
                            w.u16be(r.requestValue);
                            w.u32be(r.objectId);
                            w.u16be(r.addressKind);
                        });
}

std::uint32_t make_unreserve(PacketSession* session, const QDXAIdentifiers* ids,
                             const QDXAUnreserveRequest* request) {
    if (request == nullptr || request->address == nullptr) {
        return 0;
    }
    Parameter parameter;
    device::writeEndpointAddress(parameter, *request->address);
    return finishRequest(session, qdxa::kOpUnreserve, ids, parameter);
}

std::uint32_t make_Delete(PacketSession* session, const QDXAIdentifiers* ids,
                          const QDXAObjectRequest* request) {
    return buildRequest(session, qdxa::kOpDelete, ids, request, writeObject);
}

std::uint32_t make_CancelJob(PacketSession* session, const QDXAIdentifiers* ids,
                             const QDXAObjectRequest* request) {
    return buildRequest(session, qdxa::kOpCancelJob, ids, request, writeObject);
}

std::uint32_t make_PauseJob(PacketSession* session, const QDXAIdentifiers* ids,
                            const QDXAObjectRequest* request) {
    return buildRequest(session, qdxa::kOpPauseJob, ids, request, writeObject);
}

std::uint32_t make_ResumeJob(PacketSession* session, const QDXAIdentifiers* ids,
                             const QDXAObjectRequest* request) {
    return buildRequest(session, qdxa::kOpResumeJob, ids, request, writeObject);
}

std::uint32_t make_PromoteJob(PacketSession* session, const QDXAIdentifiers* ids,
                              const QDXAPromoteJobRequest* request) {
    return buildRequest(session, qdxa::kOpPromoteJob, ids, request,
                        [](bytes::ByteWriter& w, const QDXAPromoteJobRequest& r) {
                            w.u32be(r.jobId);
                            w.u32be(r.value);
                        });
}

std::uint32_t make_ExecuteMethod(PacketSession* session, const QDXAIdentifiers* ids,
                                 const QDXAExecuteMethodRequest* request) {
    return buildRequest(session, qdxa::kOpExecuteMethod, ids, request,
                        [](bytes::ByteWriter& w, const QDXAExecuteMethodRequest& r) {
                            w.u32be(r.objectId);
                            w.u16be(r.methodId);
                            w.bytes(run(r.input, r.inputLength));
                        });
}

std::uint32_t make_get2(PacketSession* session, const QDXAIdentifiers* ids,
                        const QDXAGet2Request* request) {
    return buildRequest(session, qdxa::kOpGet2, ids, request,
                        [](bytes::ByteWriter& w, const QDXAGet2Request& r) {
                            w.u16be(r.replyRoom);
                            writeAccess(w, r.access);
                            writeIds32(w, r.objectIds, r.objectCount);
                            w.u16be(r.attributeCount);
                            for (std::uint16_t id : run(r.attributeIds, r.attributeCount)) {
                                w.u16be(id);
                            }
                        });
}

std::uint32_t make_set2(PacketSession* session, const QDXAIdentifiers* ids,
                        const QDXASet2Request* request) {
    return buildRequest(session, qdxa::kOpSet2, ids, request,
                        [](bytes::ByteWriter& w, const QDXASet2Request& r) {
                            writeAccess(w, r.access);
                            w.u32be(r.objectId);
                            w.u16be(r.attributeId);
                            w.bytes(run(r.value, r.valueLength));
                        });
}

std::uint32_t make_getListElement(PacketSession* session, const QDXAIdentifiers* ids,
                                  const QDXAGetListElementRequest* request) {
    return buildRequest(session, qdxa::kOpGetListElement, ids, request,
                        [](bytes::ByteWriter& w, const QDXAGetListElementRequest& r) {
                            writeListStart(w, r);
                            writeAccess(w, r.access);
                            w.u32be(r.objectId);
                            w.u16be(r.attributeId);
                            w.u16be(r.previousCount);
                        });
}

std::uint32_t make_listObject2(PacketSession* session, const QDXAIdentifiers* ids,
                               const QDXAListObjects2Request* request) {
    return buildRequest(session, qdxa::kOpListObjects2, ids, request,
                        [](bytes::ByteWriter& w, const QDXAListObjects2Request& r) {
                            writeListStart(w, r);
                            w.u16be(r.objectClass);
                            w.u8(r.selector);
                            w.u32be(r.parentId);
                            w.u32be(r.filter);
                            w.u16be(r.value16);
                        });
}

std::uint32_t make_listex(PacketSession* session, const QDXAIdentifiers* ids,
                          const QDXAListExRequest* request) {
    return buildRequest(session, qdxa::kOpListEx, ids, request,
                        [](bytes::ByteWriter& w, const QDXAListExRequest& r) {
                            writeListStart(w, r);
                            w.u32be(r.objectId);
                            w.u16be(r.valueType);
                            writeListExValue(w, r);
                        });
}

std::uint32_t make_ExecuteFile2(PacketSession* session, const QDXAIdentifiers* ids,
                                const QDXAExecuteFile2Request* request) {
    // The length follows from the entries: 7, plus 6 per entry, plus 4 and the bytes per item.
    return buildRequest(session, qdxa::kOpExecuteFile2, ids, request,
                        [](bytes::ByteWriter& w, const QDXAExecuteFile2Request& r) {
                            w.u32be(r.value32);
                            w.u8(r.value8);
                            writeFileEntries(w, r.entries, r.entryCount);
                        });
}

std::uint32_t make_DeleteFiles(PacketSession* session, const QDXAIdentifiers* ids,
                               const QDXADeleteFilesRequest* request) {
    return buildRequest(session, qdxa::kOpDeleteFiles, ids, request,
                        [](bytes::ByteWriter& w, const QDXADeleteFilesRequest& r) {
                            writeIds32(w, r.fileIds, r.count);
                            w.u32be(r.password);
                        });
}

std::uint32_t make_ReplaceFiles(PacketSession* session, const QDXAIdentifiers* ids,
                                const QDXAReplaceFilesRequest* request) {
    return buildRequest(session, qdxa::kOpReplaceFiles, ids, request,
                        [](bytes::ByteWriter& w, const QDXAReplaceFilesRequest& r) {
                            writeIds32(w, r.fileIds, r.count);
                            for (std::uint32_t value : r.values) {
                                w.u32be(value);
                            }
                        });
}

std::uint32_t make_ChangeFileBoxPassword(PacketSession* session, const QDXAIdentifiers* ids,
                                         const QDXAChangeFileBoxPasswordRequest* request) {
    return buildRequest(session, qdxa::kOpChangeFileBoxPassword, ids, request,
                        [](bytes::ByteWriter& w, const QDXAChangeFileBoxPasswordRequest& r) {
                            for (std::uint32_t value : r.values) {
                                w.u32be(value);
                            }
                            w.u8(r.flag);
                        });
}

std::uint32_t make_AcquireResource(PacketSession* session, const QDXAIdentifiers* ids,
                                   std::uint32_t resourceId) {
    return buildRequest(session, qdxa::kOpAcquireResource, ids, &resourceId,
                        [](bytes::ByteWriter& w, std::uint32_t id) { w.u32be(id); });
}
