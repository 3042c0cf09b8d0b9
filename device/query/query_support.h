// Which attributes, methods and job operations the printer supports, asked once per session and
// kept as bit sets in the session, so that queries and controls ask only for what it has.
#pragma once

#include <cstdint>

#include "glue/glue_session.h"
#include "glue/glue_support.h"
#include "qdxa/qdxa_memory.h"

/// Printer-attribute support bits (attribute 111 of the printer).
inline constexpr std::uint64_t kSupportPrinterAttr2150 = 1;
inline constexpr std::uint64_t kSupportPrinterAttr2152 = 2;
inline constexpr std::uint64_t kSupportPrinterAttr2216 = 4;
inline constexpr std::uint64_t kSupportPrinterAttr2153 = 8;
inline constexpr std::uint64_t kSupportPrinterAttr2154 = 16;
inline constexpr std::uint64_t kSupportPrinterAttr2321 = 32;
inline constexpr std::uint64_t kSupportPrinterAttr2356 = 64;
inline constexpr std::uint64_t kSupportPrinterAttr2396 = 128;
inline constexpr std::uint64_t kSupportPrinterAttr341 = 256;  ///< also 342 and 343
inline constexpr std::uint64_t kSupportPrinterAttr2436 = 512;

/// File-box attribute support bits (attribute 169 of the file-box service).
inline constexpr std::uint64_t kSupportFileBoxAttr10911 = 1;

/// Job-operation support bits (attribute 212 of the job service; items are operation codes).
inline constexpr std::uint64_t kSupportJobOpDelete = 1;
inline constexpr std::uint64_t kSupportJobOpPause = 2;
inline constexpr std::uint64_t kSupportJobOpResume = 4;
inline constexpr std::uint64_t kSupportJobOpPromote = 8;
inline constexpr std::uint64_t kSupportJobOp35 = 16;
inline constexpr std::uint64_t kSupportJobOp68 = 32;
inline constexpr std::uint64_t kSupportJobOp3 = 128;

/// Support cache flags of the session: the set was read (or its read failed); the job
/// attributes have kGlueSupportCacheJobAttributes.
inline constexpr std::uint8_t kSupportCacheJobOperations = 8;
inline constexpr std::uint8_t kSupportCachePrinterAttributes = 32;
inline constexpr std::uint8_t kSupportCacheFileBoxAttributes = 128;

/// As glue_qdxaSupportJobAttribute (glue/glue_support.h, the job-attribute bits kGlueJobAttr):
/// 1 when `mask` is 0 or shares a bit with the session's set, else 0 (also without a session).
/// The first test of a kind in a session reads the printer's list; a failed read leaves that
/// set empty for the session's life, without a second request.
std::uint8_t glue_qdxaSupportPrinterAttribute(GlueSession* session, std::uint64_t mask);
std::uint8_t glue_qdxaSupportFileBoxAttribute(GlueSession* session, std::uint64_t mask);
std::uint8_t glue_qdxaSupportExecJobOperation(GlueSession* session, std::uint64_t mask);

/// The supported job attribute ids, in the printer's order. *count holds the capacity of `ids`
/// on entry and the number stored on return (ids beyond the capacity are dropped). 0, 15850
/// for a missing argument, 15851 when the reply handle cannot be made, or the read's status.
std::int32_t z_GetSupportJobAttr(GlueSession* session, std::uint16_t* count, std::uint16_t* ids);

/// Size `handle` to 4 bytes per supported id and store the ids as host-order 32-bit values:
/// the job attributes (attribute 63 of the job service) or the methods (attribute 116).
/// 0, 15850 without session, handle or count, 15851 when the reply handle cannot be made, or
/// the read's status.
std::int32_t glue_qdxaSupportJobAttributeList(GlueSession* session, WqsMemHandle* handle,
                                              std::uint16_t* count);
std::int32_t glue_qdxaSupportMethodList(GlueSession* session, WqsMemHandle* handle,
                                        std::uint16_t* count);
