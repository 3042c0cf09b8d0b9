// The printer's job list, read once and held decoded in the session, so that single jobs can be
// read without new traffic.
#pragma once

#include <cstdint>

#include "glue/glue_session.h"
#include "qdxa/qdxa_date.h"

/// The mask of every job attribute that the job list asks for.
inline constexpr std::uint32_t kGlueJobAttrMaskAll = 4095;
/// At most this many attribute ids come out of z_SetJobAttrList.
inline constexpr std::uint16_t kGlueJobAttrMaxIds = 12;

/// The attribute ids of `mask`, in the fixed order of the job list; the detail name and the id
/// lists and copy count only where the printer supports them. `ids` holds kGlueJobAttrMaxIds.
void z_SetJobAttrList(GlueSession* session, std::uint32_t mask, std::uint16_t* ids,
                      std::uint16_t* count);

/// Reads the job list into the session (replacing the one held) and writes the job ids in list
/// order into `jobIds`, which holds `capacity` bytes. 0 with *count jobs (0 for no jobs); 15850
/// for a missing argument; 15851 when the ids do not fit; or a request's status. Any failure
/// leaves no list held.
std::int32_t glue_qdxaGetJobListToBuf(GlueSession* session, std::uint32_t* jobIds,
                                      std::uint32_t capacity, std::uint16_t* count);
/// The same on the list already held, without any request.
std::int32_t glue_qdxaGetJobListToBuf_NotComm(GlueSession* session, std::uint32_t* jobIds,
                                              std::uint32_t capacity, std::uint16_t* count);

/// Copies the held fields of one job into each output given (null outputs are skipped): name
/// (33 bytes) and its code, detail name (256 bytes) and its code, owner (33 bytes) and its
/// code, the three bytes of attribute 283, the values of 275, 277 and 2006, the date (local
/// time), the name of attribute 280 (33 bytes) and its 64-byte block. Strings are
/// length-prefixed. 0; 8 when the job is not in the held list; 15850 without a session.
std::int32_t glue_qdxaGetJobAttrFromBuf(
    GlueSession* session, std::uint32_t jobId, std::uint8_t* name, std::uint32_t* nameCode,
    std::uint8_t* detailName, std::uint32_t* detailNameCode, std::uint8_t* owner,
    std::uint32_t* ownerCode, std::uint8_t* state1, std::uint8_t* state2, std::uint8_t* state3,
    std::uint32_t* value275, std::uint32_t* value277, std::uint32_t* value2006,
    QDXADateTime* jobTime, std::uint8_t* attr280Name, std::uint8_t* attr280Block);
