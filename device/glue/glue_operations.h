// The request engines on which every printer query, setting and control is built.
//
// Engines deliver replies into memory handles that the caller creates and disposes; each
// resizes its handle to exactly the bytes delivered and stores that size. Every request carries
// the session's two user ids in its header. Results as in glue_session.h; 27 means that a reply
// could not be appended to the handle.
#pragma once

#include <cstdint>

#include "glue/glue_session.h"

/// Object numbers of the printer model.
inline constexpr std::uint32_t kGlueObjectDevice = 101;
inline constexpr std::uint32_t kGlueObjectJobService = 501;
inline constexpr std::uint32_t kGlueObjectPrinter = 601;
inline constexpr std::uint32_t kGlueObjectFileBoxService = 2002;
inline constexpr std::uint32_t kGlueObjectPreInformation = 72001;
inline constexpr std::uint32_t kGlueObjectPDLEnvironment = 7340803;
/// Object classes.
inline constexpr std::uint16_t kGlueClassJob = 201;
inline constexpr std::uint16_t kGlueClassFileBox = 1002;

/// The largest GetListElement assembly: its size travels in 16 bits.
inline constexpr std::uint32_t kGlueMaxListElementBytes = 65535;

/// Method flags of glue_qdxaListAttributesOpen2.
inline constexpr std::uint8_t kGlueReadByGet2 = 1;
inline constexpr std::uint8_t kGlueReadByListElement = 2;

/// Reads the attributes of many objects with Get2, batch after batch, and appends the answers
/// (per object: u32 id, u16 attribute count, per attribute u16 id, u16 length, value). Batches
/// that the printer refuses with 5, 11, 33 or 34 are halved; a single object refused with 11 or
/// 33 is skipped, with 5 or 34 it ends the call. *replyObjectCount counts delivered objects.
/// 15850 for a missing argument or a zero count.
std::int32_t glue_qdxaGet2(GlueSession* session, std::uint16_t objectCount,
                           const std::uint32_t* objectIds, std::uint16_t attributeCount,
                           const std::uint16_t* attributeIds, WqsMemHandle* handle,
                           std::uint32_t* size, std::uint16_t* replyObjectCount);
/// The same, with batches of at most `largestBatch` objects.
std::int32_t glue_qdxaGet2_ForObjCount(GlueSession* session, std::uint16_t objectCount,
                                       std::uint16_t largestBatch, const std::uint32_t* objectIds,
                                       std::uint16_t attributeCount,
                                       const std::uint16_t* attributeIds, WqsMemHandle* handle,
                                       std::uint32_t* size, std::uint16_t* replyObjectCount);

/// Reads a list attribute element by element until the printer has no more, appending the
/// elements; *elementCount counts them. 27 when the handle cannot grow or the assembly would
/// pass 65,535 bytes while the printer has more (the list is then ended on the printer), the
/// handle's error when that happens on the last reply.
std::int32_t glue_qdxaGetListElement(GlueSession* session, std::uint32_t objectId,
                                     std::uint16_t attributeId, WqsMemHandle* handle,
                                     std::uint32_t* size, std::uint16_t* elementCount);

/// Lists the objects of a class under a parent; the handle receives host-order 32-bit ids.
/// The selector travels in 8 bits. Failed grows as glue_qdxaGetListElement.
std::int32_t glue_qdxaListObjects2(GlueSession* session, std::uint16_t objectClass,
                                   std::uint32_t selector, std::uint32_t parentId,
                                   std::uint32_t filter, WqsMemHandle* handle, std::uint32_t* size,
                                   std::uint16_t* idCount);

/// Sets one attribute of one object to `valueLength` bytes; with `accessValue`, the request's
/// access block carries it (kind 1, four bytes, big-endian).
std::int32_t glue_qdxaSet2(GlueSession* session, std::uint32_t objectId, std::uint16_t attributeId,
                           const std::uint8_t* value, std::uint16_t valueLength,
                           const std::uint32_t* accessValue);

/// Reads an extended list of 16-bit kind `listKind`; *elementType receives the reply's element
/// type, *elementCount the elements. Kind 9 waits 100 ms between replies. A failed grow ends
/// the list on the printer and returns the handle's error.
std::int32_t glue_qdxaListEx_ushort(GlueSession* session, std::uint32_t objectId,
                                    std::uint16_t listKind, std::uint16_t* elementType,
                                    WqsMemHandle* handle, std::uint32_t* size,
                                    std::uint16_t* elementCount);

/// Runs a method; statuses 1 and 4 are success. With `answer` and `answerLength`, the answer is
/// copied when it fits and *answerLength set to its length; a longer answer gives 15851 and
/// leaves the buffer untouched. No input is sent without `inputLength`.
std::int32_t glue_qdxaExecuteMethod(GlueSession* session, std::uint32_t objectId,
                                    std::uint16_t methodId, const std::uint8_t* input,
                                    const std::uint16_t* inputLength, std::uint8_t* answer,
                                    std::uint32_t* answerLength);
/// The same, with `userId1` in place of the session's first user id.
std::int32_t glue_qdxaExecuteMethodbyUserID(GlueSession* session, std::uint32_t objectId,
                                            std::uint16_t methodId, const std::uint8_t* input,
                                            const std::uint16_t* inputLength, std::uint8_t* answer,
                                            std::uint32_t* answerLength, std::uint32_t userId1);

/// The attributes of one object in one buffer, in three stages: one Get2 of all of them (Get2
/// shape: per attribute u16 id, then the value), else one Get2 per attribute (same shape), else
/// GetListElement per attribute (per attribute u16 id, u16 element count, elements). A stage
/// falls back only on a per-request protocol status. *count receives the reply's attribute
/// count (stage 1), 0 (stage 2) or the number of attributes (stage 3); *methodFlags 1 or 2.
std::int32_t glue_qdxaListAttributesOpen2(GlueSession* session, std::uint32_t objectId,
                                          std::uint16_t attributeCount,
                                          const std::uint16_t* attributeIds, WqsMemHandle* handle,
                                          std::uint32_t* size, std::uint16_t* count,
                                          std::uint8_t* methodFlags);
/// The same without the method flags.
std::int32_t glue_qdxaListAttributesOpen(GlueSession* session, std::uint32_t objectId,
                                         std::uint16_t attributeCount,
                                         const std::uint16_t* attributeIds, WqsMemHandle* handle,
                                         std::uint32_t* size, std::uint16_t* count);
/// The GetListElement stage alone.
std::int32_t glue_qdxaListAttributesOpenGetListElement(GlueSession* session, std::uint32_t objectId,
                                                       std::uint16_t attributeCount,
                                                       const std::uint16_t* attributeIds,
                                                       WqsMemHandle* handle, std::uint32_t* size,
                                                       std::uint16_t* count);
