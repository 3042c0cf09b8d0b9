// Media information of a job and its documents: the medium mismatch, the document list and the
// extended medium id.
#pragma once

#include <cstdint>

#include "glue/glue_session.h"
#include "qdxa/qdxa_memory.h"
#include "query/query_records.h"

inline constexpr std::uint16_t kAttrJobDocuments = 2027;
inline constexpr std::uint16_t kAttrExtendedMediumID = 2435;

/// Mask bits of the mismatch query.
inline constexpr std::uint32_t kMismatchMaskJobValues = 0x40;                ///< attribute 283
inline constexpr std::uint32_t kMismatchMaskDocumentKind = 4 | 8 | 16 | 32;  ///< 2029
inline constexpr std::uint32_t kMismatchMaskMedium = 1 | 2;                  ///< 2214
inline constexpr std::uint32_t kMismatchMaskWord2410 = 0x80;                 ///< 2410

/// Reads the attributes that `mask` selects of the job and its document into *record; an
/// attribute that the printer refuses (33) is skipped. The job values go into
/// record->jobValues when the caller gave a handle. 0, 15850 without session or record, 15851
/// when a reply handle cannot be made, or a read's status.
std::int32_t glue_qdxaGetWVTJobMediumMismatch(GlueSession* session, std::uint32_t jobId,
                                              std::uint32_t documentId, MismatchRecord* record,
                                              std::uint32_t mask);

/// The document ids of a job into `handle` (host-order 32-bit values) and *count. A printer
/// that refuses the attribute (33) gives 0 and no documents.
std::int32_t glue_qdxaGetWVTDocumentList(GlueSession* session, std::uint32_t jobId,
                                         WqsMemHandle* handle, std::uint16_t* count);

/// The extended medium id of a document.
std::int32_t glue_qdxaGetExtendedMediumID(GlueSession* session, std::uint32_t documentId,
                                          ExtendedMediumIDRecord* record);
