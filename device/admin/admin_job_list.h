// The job list answers of the get request, and the comparison of the printer's detail code
// with the codes of the jobs the session holds.
#pragma once

#include <cstdint>
#include <string_view>

#include "glue/glue_session.h"
#include "ticket/ticket_library.h"

namespace admin {

/// Bits of the job-attribute mask (four bytes), the binder mask and the document mask.
struct JobListMasks {
    std::uint8_t job[4] = {};
    std::uint8_t binder = 0;
    std::uint8_t document = 0;

    bool empty() const { return !(job[0] | job[1] | job[2] | job[3] | binder | document); }
};

/// The larger, without sign, of `detailCode` and the highest status code of the jobs in the
/// session's decoded job list; `detailCode` when the session holds no list.
std::uint32_t LocalCompareAndGetStatusCode(GlueSession* session, std::uint32_t detailCode);

/// Builds the masks from the sub-keys of the nested request under `listKey`; the masks are
/// cleared first and stay clear when the list key is absent. Core code: 0, or 15 for a missing
/// argument.
std::uint32_t LocalGetJobListAttrFromTicket(const TktLibTicket* request, std::string_view listKey,
                                            JobListMasks* masks);

/// Writes the nested answer under `listKey` into `result`: JobHandleCount and one array per
/// requested field, in job order, read from the session's decoded list. Core code.
std::uint32_t LocalSetJobListAttrToTicket(GlueSession* session, TktLibTicket& result,
                                          std::string_view listKey, const JobListMasks& masks,
                                          const std::uint32_t* jobHandles, std::uint16_t count);

}  // namespace admin
