// Reading the job list into the session and single jobs out of it.
#include "glue/glue_job_list.h"

#include <cstring>

#include "glue/glue_error.h"
#include "glue/glue_internal.h"
#include "glue/glue_operations.h"
#include "glue/glue_support.h"
#include "qdxa/qdxa_error.h"

namespace {

// The job ids: jobs of the job service.
constexpr std::uint32_t kJobSelector = 22;
constexpr std::uint32_t kNoFilter = 0;

struct JobAttrBit {
    std::uint32_t maskBit;
    std::uint16_t attribute;
    std::uint64_t supportBit;  ///< 0: always asked for
};

constexpr JobAttrBit kJobAttrBits[] = {
    {1, kJobAttrName, 0},
    {0x800, kJobAttrDetailName, kGlueJobAttr279},
    {2, kJobAttrOwner, 0},
    {4, kJobAttr283, 0},
    {8, kJobAttr275, 0},
    {16, kJobAttr277, 0},
    {32, kJobAttr2006, 0},
    {64, kJobAttrTime, 0},
    {128, kJobAttr280, 0},
    {0x100, kJobAttr2018, kGlueJobAttr2018},
    {0x200, kJobAttr2027, kGlueJobAttr2027},
    {0x400, kJobAttr2007, kGlueJobAttr2007},
};
static_assert(std::size(kJobAttrBits) == kGlueJobAttrMaxIds);

/// Copies a length-prefixed string of at most `maximum` characters.
void copyString(const std::uint8_t* source, std::uint8_t* destination, std::uint8_t maximum) {
    if (destination == nullptr) {
        return;
    }
    const std::uint8_t length = source[0] < maximum ? source[0] : maximum;
    destination[0] = length;
    std::memcpy(destination + 1, source + 1, length);
}

template <typename T>
void copyValue(const T& source, T* destination) {
    if (destination != nullptr) {
        *destination = source;
    }
}

std::int32_t readJobList(GlueSession& session) {
    std::uint16_t attributes[kGlueJobAttrMaxIds];
    std::uint16_t attributeCount = 0;
    z_SetJobAttrList(&session, kGlueJobAttrMaskAll, attributes, &attributeCount);
    device::GlueHandle ids(Wqs_Mem_NewHandle(0));
    device::GlueHandle data(Wqs_Mem_NewHandle(0));
    if (!ids || !data) {
        return kGlueMemErr;
    }
    std::uint32_t size = 0;
    std::uint16_t jobCount = 0;
    std::int32_t status =
        glue_qdxaListObjects2(&session, kGlueClassJob, kJobSelector, kGlueObjectJobService,
                              kNoFilter, ids.get(), &size, &jobCount);
    if (status != kGlueNoErr || jobCount == 0) {
        return status;
    }
    std::uint16_t answered = 0;
    status = glue_qdxaGet2(&session, jobCount, reinterpret_cast<const std::uint32_t*>(ids->data),
                           attributeCount, attributes, data.get(), &size, &answered);
    if (status != kGlueNoErr) {
        return status;
    }
    // The decoder appends to the chain it is given, and frees all of it when memory runs out.
    JobAttrRecord* chain = session.jobList.release();
    status = get_JobAttrList_FromGet2(data.get(), answered, &chain);
    session.jobList.reset(chain);
    return status;
}

}  // namespace

void z_SetJobAttrList(GlueSession* session, std::uint32_t mask, std::uint16_t* ids,
                      std::uint16_t* count) {
    std::uint16_t made = 0;
    for (const JobAttrBit& entry : kJobAttrBits) {
        if ((mask & entry.maskBit) != 0 &&
            (entry.supportBit == 0 || glue_qdxaSupportJobAttribute(session, entry.supportBit))) {
            ids[made++] = entry.attribute;
        }
    }
    *count = made;
}

std::int32_t glue_qdxaGetJobListToBuf(GlueSession* session, std::uint32_t* jobIds,
                                      std::uint32_t capacity, std::uint16_t* count) {
    if (session == nullptr || session->packetSession == nullptr || jobIds == nullptr ||
        count == nullptr) {
        return kGlueParamErr;
    }
    *count = 0;
    glue_qdxaDisposeJobListBuf(session);
    std::int32_t status = readJobList(*session);
    if (status == kGlueNoErr) {
        status = glue_qdxaGetJobListToBuf_NotComm(session, jobIds, capacity, count);
    }
    if (status != kGlueNoErr) {
        *count = 0;
        glue_qdxaDisposeJobListBuf(session);
    }
    return status;
}

std::int32_t glue_qdxaGetJobListToBuf_NotComm(GlueSession* session, std::uint32_t* jobIds,
                                              std::uint32_t capacity, std::uint16_t* count) {
    if (session == nullptr || jobIds == nullptr || count == nullptr) {
        return kGlueParamErr;
    }
    *count = 0;
    return get_ObjectHandleListFromBuf(session->jobList.get(), jobIds, count, capacity);
}

std::int32_t glue_qdxaGetJobAttrFromBuf(
    GlueSession* session, std::uint32_t jobId, std::uint8_t* name, std::uint32_t* nameCode,
    std::uint8_t* detailName, std::uint32_t* detailNameCode, std::uint8_t* owner,
    std::uint32_t* ownerCode, std::uint8_t* state1, std::uint8_t* state2, std::uint8_t* state3,
    std::uint32_t* value275, std::uint32_t* value277, std::uint32_t* value2006,
    QDXADateTime* jobTime, std::uint8_t* attr280Name, std::uint8_t* attr280Block) {
    if (session == nullptr) {
        return kGlueParamErr;
    }
    const JobAttrRecord* job = search_JobAttrDataFromBuf(session->jobList.get(), jobId);
    if (job == nullptr) {
        return kGlueJobNotFound;
    }
    copyString(job->jobName, name, kJobNameMaxLength);
    copyValue(job->jobNameCode, nameCode);
    copyString(job->jobDetailName, detailName, kJobDetailNameMaxLength);
    copyValue(job->jobDetailNameCode, detailNameCode);
    copyString(job->jobOwner, owner, kJobNameMaxLength);
    copyValue(job->jobOwnerCode, ownerCode);
    copyValue(job->attr283[0], state1);
    copyValue(job->attr283[1], state2);
    copyValue(job->attr283[2], state3);
    copyValue(job->attr275, value275);
    copyValue(job->attr277, value277);
    copyValue(job->attr2006, value2006);
    copyValue(job->jobTime, jobTime);
    copyString(job->attr280Name, attr280Name, kJobNameMaxLength);
    if (attr280Block != nullptr) {
        std::memcpy(attr280Block, job->attr280Block, kJobAttr280BlockSize);
    }
    return kGlueNoErr;
}
