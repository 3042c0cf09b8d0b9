// The packet writers.
#include "qdxa/packet_writer.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <span>

#include "bytes/byte_order.h"
#include "qdxa/qdxa_services.h"
#include "qdxa_protocol/codes.h"
#include "qdxa_protocol/packet_header.h"
#include "rastercore/result_codes.h"
#include "record/qdxa_info.h"

namespace {

using rastercore::kPacketBadArgument;
using Run = std::span<const std::uint8_t>;

using qdxa::kHeaderSize;
using qdxa::kOpBinderEnd;
using qdxa::kOpBinderStart;
using qdxa::kOpDocumentEnd;
using qdxa::kOpDocumentStart;
using qdxa::kOpExecuteMethod;
using qdxa::kOpGet;
using qdxa::kOpJobEnd;
using qdxa::kOpJobStart;
using qdxa::kOpJobStart2;
using qdxa::kOpSetBinder;
using qdxa::kOpSetDocument;
using qdxa::kOpSetJob;
constexpr std::uint16_t kSequence = 1;  // every job packet of the core carries sequence 1
constexpr std::size_t kMaxParameterLength = 0xFFFF;
// The fixed parameters that precede a packet's value: at most the 13 bytes of job start.
constexpr std::size_t kMaxFixedParameters = 13;

constexpr std::uint8_t kReplyBit = 0x01;
constexpr std::uint8_t kFlagsNone = 0x00;

struct Packet {
    std::uint16_t operation;
    std::uint8_t flags;
    std::uint32_t firstId;
    std::uint32_t secondId;
    std::initializer_list<Run> parameters;
    bool last = false;  // the job's final packet
};

std::uint8_t requestFlags(std::uint8_t replyFlag) {
    return (replyFlag & kReplyBit) != 0 ? qdxa::kFlagReplyWanted : kFlagsNone;
}

void writeHeader(std::uint8_t* out, const Packet& packet, std::size_t parameterLength) {
    qdxa::HeaderFields fields;
    fields.flags = packet.flags;
    fields.operation = packet.operation;
    fields.sequence = kSequence;
    fields.parameterLength = static_cast<std::uint16_t>(parameterLength);
    fields.firstIdentifier = packet.firstId;
    fields.secondIdentifier = packet.secondId;
    qdxa::writeHeader(out, fields);
}

// Hands the packet to the transport as two spans: the header with every fixed parameter
// written behind it on the stack, and the packet's last parameter (the caller's value or data)
// in place. `*taken` receives the bytes the transport took.
std::int32_t sendPacket(QDXA_Info* info, const Packet& packet, std::uint32_t* taken = nullptr) {
    std::size_t parameterLength = 0;
    for (const Run& run : packet.parameters) {
        parameterLength += run.size();
    }
    const Run payload = packet.parameters.size() != 0 ? *(packet.parameters.end() - 1) : Run();
    const std::size_t fixedLength = parameterLength - payload.size();
    if (parameterLength > kMaxParameterLength || fixedLength > kMaxFixedParameters) {
        return kPacketBadArgument;
    }
    std::uint8_t header[kHeaderSize + kMaxFixedParameters];
    writeHeader(header, packet, parameterLength);
    std::uint8_t* cursor = header + kHeaderSize;
    for (const Run* run = packet.parameters.begin(); run + 1 < packet.parameters.end(); ++run) {
        std::memcpy(cursor, run->data(), run->size());
        cursor += run->size();
    }
    const auto size = static_cast<std::uint32_t>(kHeaderSize + parameterLength);
    std::uint32_t untaken = size;
    const std::int32_t result = qdxaServices().current().jobSend(
        info, Run(header, kHeaderSize + fixedLength), payload, packet.last, &untaken);
    if (taken != nullptr) {
        *taken = size - std::min(untaken, size);
    }
    return result;
}

template <std::size_t N>
Run run(const std::uint8_t (&bytes)[N]) {
    return Run(bytes, N);
}

std::int32_t sendAttribute(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                           std::uint32_t secondId, std::uint16_t operation,
                           const QDXA_Attribute& attribute) {
    if (info == nullptr || attribute.value == nullptr || attribute.length == 0) {
        return kPacketBadArgument;
    }
    std::uint8_t id[2];
    bytes::storeBE16(id, attribute.id);
    return sendPacket(info, {operation,
                             requestFlags(replyFlag),
                             firstId,
                             secondId,
                             {run(id), Run(attribute.value, attribute.length)}});
}

std::int32_t executeMethod(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                           std::uint32_t secondId, std::uint16_t method, const std::uint8_t* value,
                           std::uint32_t length) {
    if (info == nullptr || value == nullptr || length == 0) {
        return kPacketBadArgument;
    }
    std::uint8_t head[6] = {};  // object 0, then the method id
    bytes::storeBE16(head + 4, method);
    return sendPacket(info, {kOpExecuteMethod,
                             requestFlags(replyFlag),
                             firstId,
                             secondId,
                             {run(head), Run(value, length)}});
}

// A packet whose parameters are one 32-bit id (binder and document start), or none.
std::int32_t sendWithId(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                        std::uint32_t secondId, std::uint16_t operation, std::uint32_t id) {
    if (info == nullptr) {
        return kPacketBadArgument;
    }
    std::uint8_t parameter[4];
    bytes::storeBE32(parameter, id);
    return sendPacket(info,
                      {operation, requestFlags(replyFlag), firstId, secondId, {run(parameter)}});
}

std::int32_t sendEmpty(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                       std::uint32_t secondId, std::uint16_t operation) {
    if (info == nullptr) {
        return kPacketBadArgument;
    }
    return sendPacket(info, {operation, requestFlags(replyFlag), firstId, secondId, {}});
}

}  // namespace

std::int32_t QDXA_JobStart(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                           std::uint32_t secondId, std::uint32_t first, std::uint8_t second,
                           std::uint32_t third, std::uint32_t fourth) {
    if (info == nullptr) {
        return kPacketBadArgument;
    }
    std::uint8_t parameters[13];
    bytes::storeBE32(parameters, first);
    parameters[4] = second;
    bytes::storeBE32(parameters + 5, third);
    bytes::storeBE32(parameters + 9, fourth);
    return sendPacket(info,
                      {kOpJobStart, requestFlags(replyFlag), firstId, secondId, {run(parameters)}});
}

std::int32_t QDXA_JobStart2(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                            std::uint32_t secondId, std::uint16_t attributeCount,
                            const std::uint8_t* list, std::uint32_t length) {
    if (info == nullptr || list == nullptr || length == 0) {
        return kPacketBadArgument;
    }
    std::uint8_t count[2];
    bytes::storeBE16(count, attributeCount);
    return sendPacket(info, {kOpJobStart2,
                             requestFlags(replyFlag),
                             firstId,
                             secondId,
                             {run(count), Run(list, length)}});
}

std::int32_t QDXA_JobEnd(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                         std::uint32_t secondId, std::uint8_t endKind) {
    if (info == nullptr) {
        return kPacketBadArgument;
    }
    const std::uint8_t parameter[1] = {endKind};
    return sendPacket(
        info, {kOpJobEnd, requestFlags(replyFlag), firstId, secondId, {run(parameter)}, true});
}

std::int32_t QDXA_BinderStart(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                              std::uint32_t secondId, std::uint32_t binderId) {
    return sendWithId(info, replyFlag, firstId, secondId, kOpBinderStart, binderId);
}

std::int32_t QDXA_BinderEnd(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                            std::uint32_t secondId) {
    return sendEmpty(info, replyFlag, firstId, secondId, kOpBinderEnd);
}

std::int32_t QDXA_DocumentStart(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                                std::uint32_t secondId, std::uint32_t documentId) {
    return sendWithId(info, replyFlag, firstId, secondId, kOpDocumentStart, documentId);
}

std::int32_t QDXA_DocumentEnd(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                              std::uint32_t secondId) {
    return sendEmpty(info, replyFlag, firstId, secondId, kOpDocumentEnd);
}

std::int32_t QDXA_SetJob(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                         std::uint32_t secondId, const QDXA_Attribute& attribute) {
    return sendAttribute(info, replyFlag, firstId, secondId, kOpSetJob, attribute);
}

std::int32_t QDXA_SetBinder(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                            std::uint32_t secondId, const QDXA_Attribute& attribute) {
    return sendAttribute(info, replyFlag, firstId, secondId, kOpSetBinder, attribute);
}

std::int32_t QDXA_SetDocument(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                              std::uint32_t secondId, const QDXA_Attribute& attribute) {
    return sendAttribute(info, replyFlag, firstId, secondId, kOpSetDocument, attribute);
}

std::int32_t QDXA_SetExcuteMethod(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                                  std::uint32_t secondId, const std::uint8_t* value,
                                  std::uint32_t length) {
    return executeMethod(info, replyFlag, firstId, secondId, kMethodDetailMedia, value, length);
}

std::int32_t QDXA_SetExcuteMethod_Calibration(QDXA_Info* info, std::uint8_t replyFlag,
                                              std::uint32_t firstId, std::uint32_t secondId,
                                              const std::uint8_t* value, std::uint32_t length) {
    return executeMethod(info, replyFlag, firstId, secondId, kMethodCalibration, value, length);
}

std::int32_t QDXA_SetExecuteMethod_CreatorID(QDXA_Info* info, std::uint8_t replyFlag,
                                             std::uint32_t firstId, std::uint32_t secondId,
                                             const std::uint8_t* value, std::uint32_t length) {
    return executeMethod(info, replyFlag, firstId, secondId, kMethodCreatorId, value, length);
}

std::int32_t QDXA_SetExcuteMethod_GroupID(QDXA_Info* info, std::uint8_t replyFlag,
                                          std::uint32_t firstId, std::uint32_t secondId,
                                          const std::uint8_t* value, std::uint32_t length) {
    return executeMethod(info, replyFlag, firstId, secondId, kMethodGroupId, value, length);
}

std::int32_t QDXA_SetExcuteMethod_PathMode(QDXA_Info* info, std::uint8_t replyFlag,
                                           std::uint32_t firstId, std::uint32_t secondId,
                                           const std::uint8_t* value, std::uint32_t length) {
    return executeMethod(info, replyFlag, firstId, secondId, kMethodPathMode, value, length);
}

std::int32_t QDXA_Send(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                       std::uint32_t secondId, QDXA_DataPiece* piece) {
    if (info == nullptr || piece == nullptr || piece->data == nullptr || piece->length == 0) {
        return kPacketBadArgument;
    }
    piece->length = std::min(piece->length, kQdxaMaxDataPiece);
    const std::uint8_t flags =
        (piece->continuation & kQdxaContinued) != 0 ? qdxa::kFlagMore : requestFlags(replyFlag);
    const std::uint8_t kind[1] = {piece->dataKind};
    std::uint32_t taken = 0;
    const std::int32_t result = sendPacket(
        info,
        {qdxa::kOpSendData, flags, firstId, secondId, {run(kind), Run(piece->data, piece->length)}},
        &taken);
    // The job's size in octets counts what reached the transport, headers included.
    info->octetCount += taken;
    return result;
}

std::int32_t QDXA_Get(QDXA_Info* info, std::uint8_t replyFlag, std::uint32_t firstId,
                      std::uint32_t secondId, std::uint32_t objectId, std::uint16_t attributeId) {
    if (info == nullptr) {
        return kPacketBadArgument;
    }
    std::uint8_t parameters[6];
    bytes::storeBE32(parameters, objectId);
    bytes::storeBE16(parameters + 4, attributeId);
    return sendPacket(info,
                      {kOpGet, requestFlags(replyFlag), firstId, secondId, {run(parameters)}});
}
