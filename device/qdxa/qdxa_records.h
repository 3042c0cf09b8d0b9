// Request and reply records of the packet operations.
//
// Request records point at the caller's bytes; nothing is copied until the request is built.
// Reply records are cleared by their parser before anything is read; copies in them (`copy`,
// `ids`) are made with QDXA_AllocMemory and owned by the record, which frees them with
// QDXA_FreeMemory. A reply whose result is not 1, 4 or 29 leaves its record cleared.
#pragma once

#include <cstdint>

#include "qdxa/qdxa_endpoint.h"
#include "qdxa/qdxa_memory.h"

/// The value that the system sends in the leading 16-bit field of list and Get2 requests.
inline constexpr std::uint16_t kQDXAReplyRoom = 492;
/// The value that the system sends in that field of ListEx requests.
inline constexpr std::uint16_t kQDXAListExReplyRoom = 512;

/// List operations.
inline constexpr std::uint8_t kQDXAListStart = 1;
inline constexpr std::uint8_t kQDXAListContinue = 3;
inline constexpr std::uint8_t kQDXAListEnd = 4;

/// An access block: a kind, a length and that many bytes (0 and 0 when empty).
struct QDXAAccessBlock {
    std::uint8_t kind = 0;
    std::uint8_t length = 0;
    const std::uint8_t* bytes = nullptr;
};

/// A byte copy handed to the caller.
struct QDXAReplyCopy {
    QDXAMemoryPtr<std::uint8_t> copy;
    std::uint32_t length = 0;
};

struct QDXAEchoRequest {
    const std::uint8_t* data = nullptr;
    std::uint16_t length = 0;
};
struct QDXAEchoReply {
    std::uint8_t value = 0;  ///< the byte of a 1-byte answer
    QDXAReplyCopy bytes;     ///< an answer of 2 or more bytes
};

struct QDXAReserveRequest {
    std::uint16_t requestValue = 0;
    std::uint32_t objectId = 0;
    std::uint16_t addressKind = 0;  ///< the kind wanted
};
struct QDXAReserveReply {
    std::uint16_t value16 = 0;
    std::uint32_t value32 = 0;
    QDXAEndpointAddress address;
};

struct QDXAUnreserveRequest {
    const QDXAEndpointAddress* address = nullptr;
};
struct QDXAUnreserveReply {
    QDXAEndpointAddress address;
};

/// Delete, CancelJob, PauseJob, ResumeJob.
struct QDXAObjectRequest {
    std::uint32_t objectId = 0;
};
struct QDXAObjectReply {
    std::uint32_t objectId = 0;
};

struct QDXAPromoteJobRequest {
    std::uint32_t jobId = 0;
    std::uint32_t value = 0;
};
struct QDXAPromoteJobReply {
    std::uint32_t value = 0;  ///< the second value of the reply
};

struct QDXAExecuteMethodRequest {
    std::uint32_t objectId = 0;
    std::uint16_t methodId = 0;
    const std::uint8_t* input = nullptr;
    std::uint16_t inputLength = 0;
};
struct QDXAExecuteMethodReply {
    std::uint32_t objectId = 0;
    std::uint16_t methodId = 0;
    QDXAReplyCopy answer;
};

struct QDXAGet2Request {
    std::uint16_t replyRoom = kQDXAReplyRoom;
    QDXAAccessBlock access;
    std::uint16_t objectCount = 0;
    const std::uint32_t* objectIds = nullptr;
    std::uint16_t attributeCount = 0;
    const std::uint16_t* attributeIds = nullptr;
};
struct QDXAGet2Reply {
    std::uint16_t objectCount = 0;  ///< objects answered
    QDXAReplyCopy data;             ///< the attribute data
};

struct QDXASet2Request {
    QDXAAccessBlock access;
    std::uint32_t objectId = 0;
    std::uint16_t attributeId = 0;
    const std::uint8_t* value = nullptr;
    std::uint16_t valueLength = 0;
};
struct QDXASet2Reply {
    std::uint32_t objectId = 0;
    std::uint16_t attributeId = 0;
    QDXAReplyCopy rest;
};

struct QDXAGetListElementRequest {
    std::uint16_t listHandle = 0;
    std::uint16_t replyRoom = kQDXAReplyRoom;
    std::uint8_t operation = kQDXAListStart;
    QDXAAccessBlock access;
    std::uint32_t objectId = 0;
    std::uint16_t attributeId = 0;
    std::uint16_t previousCount = 0;  ///< elements the previous reply delivered
};
struct QDXAGetListElementReply {
    std::uint16_t listHandle = 0;
    std::uint8_t value8 = 0;
    std::uint32_t value32 = 0;
    std::uint16_t values16[3] = {};
    std::uint16_t elementCount = 0;
    QDXAReplyCopy elements;  ///< made only when elementCount is not 0
};

struct QDXAListObjects2Request {
    std::uint16_t listHandle = 0;
    std::uint16_t replyRoom = kQDXAReplyRoom;
    std::uint8_t operation = kQDXAListStart;
    std::uint16_t objectClass = 0;
    std::uint8_t selector = 0;
    std::uint32_t parentId = 0;
    std::uint32_t filter = 0;
    std::uint16_t value16 = 0;
};
struct QDXAListObjects2Reply {
    std::uint16_t listHandle = 0;
    std::uint8_t value8a = 0;
    std::uint16_t value16a = 0;
    std::uint8_t value8b = 0;
    std::uint32_t value32 = 0;
    std::uint16_t value16b = 0;
    std::uint16_t value16c = 0;
    std::uint16_t count = 0;           ///< object ids in `ids`
    QDXAMemoryPtr<std::uint32_t> ids;  ///< host-order object ids
};

/// ListEx value types and their typed values.
inline constexpr std::uint16_t kQDXAValueType8 = 2;
inline constexpr std::uint16_t kQDXAValueType16 = 4;
inline constexpr std::uint16_t kQDXAValueType16b = 5;
inline constexpr std::uint16_t kQDXAValueType32 = 6;
inline constexpr std::uint16_t kQDXAValueType32b = 7;

struct QDXAListExRequest {
    std::uint16_t listHandle = 0;
    std::uint16_t replyRoom = kQDXAListExReplyRoom;
    std::uint8_t operation = kQDXAListStart;
    std::uint32_t objectId = 0;
    std::uint16_t valueType = 0;
    std::uint32_t value = 0;    ///< the typed value (the list kind), cut to the type's width
    std::uint16_t closing = 0;  ///< not sent for types 6 and 7
};
struct QDXAListExReply {
    std::uint16_t listHandle = 0;
    std::uint8_t value8 = 0;
    std::uint32_t value32 = 0;
    std::uint16_t valueType = 0;
    std::uint16_t values16[4] = {};
    QDXAReplyCopy data;
};

struct QDXAFileItem {
    std::uint16_t itemId = 0;
    std::uint16_t length = 0;
    const std::uint8_t* bytes = nullptr;
};
struct QDXAFileEntry {
    std::uint32_t fileId = 0;
    std::uint16_t itemCount = 0;
    const QDXAFileItem* items = nullptr;
};
struct QDXAExecuteFile2Request {
    std::uint32_t value32 = 0;
    std::uint8_t value8 = 0;
    std::uint16_t entryCount = 0;
    const QDXAFileEntry* entries = nullptr;
};
struct QDXAExecuteFile2Reply {
    std::uint32_t first = 0;
    std::uint32_t second = 0;
    std::uint8_t value8 = 0;
};

struct QDXADeleteFilesRequest {
    std::uint16_t count = 0;
    const std::uint32_t* fileIds = nullptr;
    std::uint32_t password = 0;
};
struct QDXAReplaceFilesRequest {
    std::uint16_t count = 0;
    const std::uint32_t* fileIds = nullptr;
    std::uint32_t values[3] = {};
};
/// DeleteFiles and ReplaceFiles replies; `value32` and `value16` only in ReplaceFiles.
struct QDXAFileListReply {
    std::uint32_t value32 = 0;
    std::uint16_t value16 = 0;
    std::uint16_t count = 0;
    QDXAMemoryPtr<std::uint32_t> ids;
};

struct QDXAChangeFileBoxPasswordRequest {
    std::uint32_t values[4] = {};
    std::uint8_t flag = 0;
};
struct QDXAChangeFileBoxPasswordReply {
    std::uint32_t value32 = 0;
    std::uint8_t value8 = 0;
};

struct QDXAAcquireResourceReply {
    std::uint32_t value32 = 0;
    QDXAReplyCopy data;
};
