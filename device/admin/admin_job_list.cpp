// The job list answers: the masks of the requested fields, the job handles read fresh or from
// the list the session holds, and one array per requested field.
#include "admin/admin_job_list.h"

#include <memory>
#include <new>
#include <vector>

#include "admin/admin_get_groups.h"
#include "admin/admin_internal.h"
#include "core/core_error.h"
#include "glue/glue_job_list.h"

namespace admin {
namespace {

enum MaskByte : std::uint8_t { kJob0, kJob1, kJob2, kBinder, kDocument };

struct MaskBit {
    std::string_view key;
    MaskByte byte;
    std::uint8_t bit;
};

// Sub-key → mask bit; a name or owner also asks for its code.
constexpr MaskBit kMaskBits[] = {
    {"JobHandleCount", kJob0, 1},
    {"JobHandle", kJob0, 2},
    {"JobName", kJob0, 4},
    {"JobName", kJob1, 64},
    {"JobOwner", kJob0, 8},
    {"JobOwner", kJob1, 128},
    {"JobStatus", kJob0, 16},
    {"JobReason", kJob0, 32},
    {"ImpressionCount", kJob0, 128},
    {"CompleteImpressionCount", kJob1, 1},
    {"JobDataSize", kJob1, 2},
    {"JobTime", kJob1, 4},
    {"JobNumberOnClient", kJob1, 8},
    {"JobTimeData", kJob1, 16},
    {"ClientJobIDData", kJob1, 32},
    {"JobNameCode", kJob1, 64},
    {"JobOwnerCode", kJob1, 128},
    {"JobNameByData", kJob2, 1},
    {"JobOwnerByData", kJob2, 2},
    {"JobDetailName", kJob2, 16},
    {"JobDetailName", kJob2, 32},
    {"JobDetailNameCode", kJob2, 32},
    {"JobDetailNameByData", kJob2, 64},
    {"BinderHandle", kBinder, 1},
    {"BinderCopy", kBinder, 2},
    {"BinderOutput", kBinder, 16},
    {"DocumentHandle", kDocument, 1},
    {"DocumentCopy", kDocument, 2},
};

template <typename Masks>
auto& maskByte(Masks& masks, MaskByte byte) {
    switch (byte) {
        case kBinder:
            return masks.binder;
        case kDocument:
            return masks.document;
        default:
            return masks.job[byte];
    }
}

bool wants(const JobListMasks& masks, MaskByte byte, std::uint8_t bit) {
    return (maskByte(masks, byte) & bit) != 0;
}

/// One job's fields as the held list gives them.
struct JobFields {
    std::uint8_t name[kJobNameMaxLength + 1] = {};
    std::uint32_t nameCode = 0;
    std::uint8_t detailName[kJobDetailNameMaxLength + 1] = {};
    std::uint32_t detailNameCode = 0;
    std::uint8_t owner[kJobNameMaxLength + 1] = {};
    std::uint32_t ownerCode = 0;
    std::uint8_t state[3] = {};
    std::uint32_t impressions = 0;
    std::uint32_t completeImpressions = 0;
    std::uint32_t dataSize = 0;
    QDXADateTime time;
    std::uint8_t clientNumber[kJobNameMaxLength + 1] = {};
    std::uint8_t clientBlock[kJobAttr280BlockSize] = {};
};

/// The arrays of the answer, filled job by job.
struct JobArrays {
    std::vector<std::int32_t> handles, nameCodes, detailNameCodes, ownerCodes, states, reasons,
        impressions, completeImpressions, dataSizes;
    std::vector<std::string> names, detailNames, owners, clientNumbers;
    std::vector<std::string> namesByData, detailNamesByData, ownersByData, times, clientBlocks;

    void add(std::uint32_t handle, const JobFields& job) {
        handles.push_back(static_cast<std::int32_t>(handle));
        names.push_back(printerTextOrUnknown(job.name, sizeof job.name));
        namesByData.push_back(pascalCharacters(job.name, sizeof job.name));
        nameCodes.push_back(static_cast<std::int32_t>(job.nameCode));
        detailNames.push_back(printerTextOrUnknown(job.detailName, sizeof job.detailName));
        detailNamesByData.push_back(pascalCharacters(job.detailName, sizeof job.detailName));
        detailNameCodes.push_back(static_cast<std::int32_t>(job.detailNameCode));
        owners.push_back(printerTextOrUnknown(job.owner, sizeof job.owner));
        ownersByData.push_back(pascalCharacters(job.owner, sizeof job.owner));
        ownerCodes.push_back(static_cast<std::int32_t>(job.ownerCode));
        states.push_back(job.state[0]);
        reasons.push_back(job.state[1]);
        impressions.push_back(static_cast<std::int32_t>(job.impressions));
        completeImpressions.push_back(static_cast<std::int32_t>(job.completeImpressions));
        dataSizes.push_back(static_cast<std::int32_t>(job.dataSize));
        times.emplace_back(reinterpret_cast<const char*>(&job.time), sizeof job.time);
        clientNumbers.push_back(printerTextOrUnknown(job.clientNumber, sizeof job.clientNumber));
        clientBlocks.emplace_back(reinterpret_cast<const char*>(job.clientBlock),
                                  sizeof job.clientBlock);
    }
};

std::uint32_t writeArrays(const JobListMasks& masks, const JobArrays& jobs, TktLibTicket& list) {
    struct IntField {
        MaskByte byte;
        std::uint8_t bit;
        std::string_view key;
        const std::vector<std::int32_t>& values;
    };
    struct TextField {
        MaskByte byte;
        std::uint8_t bit;
        std::string_view key;
        const std::vector<std::string>& values;
        bool rawBytes;
    };
    const TextField texts[] = {
        {kJob0, 4, "JobName", jobs.names, false},
        {kJob2, 1, "JobNameByData", jobs.namesByData, true},
        {kJob2, 16, "JobDetailName", jobs.detailNames, false},
        {kJob2, 64, "JobDetailNameByData", jobs.detailNamesByData, true},
        {kJob0, 8, "JobOwner", jobs.owners, false},
        {kJob2, 2, "JobOwnerByData", jobs.ownersByData, true},
        {kJob1, 16, "JobTimeData", jobs.times, true},
        {kJob1, 8, "JobNumberOnClient", jobs.clientNumbers, false},
        {kJob1, 32, "ClientJobIDData", jobs.clientBlocks, true},
    };
    const IntField numbers[] = {
        {kJob0, 2, "JobHandle", jobs.handles},
        {kJob1, 64, "JobNameCode", jobs.nameCodes},
        {kJob2, 32, "JobDetailNameCode", jobs.detailNameCodes},
        {kJob1, 128, "JobOwnerCode", jobs.ownerCodes},
        {kJob0, 16, "JobStatus", jobs.states},
        {kJob0, 32, "JobReason", jobs.reasons},
        {kJob0, 128, "ImpressionCount", jobs.impressions},
        {kJob1, 1, "CompleteImpressionCount", jobs.completeImpressions},
        {kJob1, 2, "JobDataSize", jobs.dataSizes},
    };
    for (const TextField& field : texts) {
        if (!wants(masks, field.byte, field.bit)) {
            continue;
        }
        const std::uint32_t code = field.rawBytes ? setDataArray(list, field.key, field.values)
                                                  : setTextArray(list, field.key, field.values);
        if (code != kCoreNoErr) {
            return code;
        }
    }
    for (const IntField& field : numbers) {
        if (!wants(masks, field.byte, field.bit)) {
            continue;
        }
        if (const std::uint32_t code = setIntArray(list, field.key, field.values); code != 0) {
            return code;
        }
    }
    return kCoreNoErr;
}

using ListRead = std::int32_t (*)(GlueSession*, std::uint32_t*, std::uint32_t, std::uint16_t*);

/// One job list group: masks, handles, answer.
std::uint32_t getList(GetRequest& get, std::string_view listKey, ListRead read) {
    JobListMasks masks;
    if (const std::uint32_t code = LocalGetJobListAttrFromTicket(&get.request, listKey, &masks);
        code != kCoreNoErr || masks.empty()) {
        return code;
    }
    const std::uint32_t capacity = RecievePacketSize(get.session->packetSession);
    const std::size_t slots = capacity / sizeof(std::uint32_t);
    std::unique_ptr<std::uint32_t[]> handles(new (std::nothrow) std::uint32_t[slots + 1]());
    if (!handles) {
        return kCoreMemErr;
    }
    std::uint16_t count = 0;
    if (const std::uint32_t code = glueCode(read(get.session, handles.get(), capacity, &count));
        code != kCoreNoErr) {
        return code;
    }
    return LocalSetJobListAttrToTicket(get.session, get.result, listKey, masks, handles.get(),
                                       count);
}

}  // namespace

std::uint32_t LocalGetJobListAttrFromTicket(const TktLibTicket* request, std::string_view listKey,
                                            JobListMasks* masks) {
    if (request == nullptr || listKey.empty() || masks == nullptr) {
        return kCoreTicketErr;
    }
    *masks = JobListMasks{};
    const TktLibTicket* nested = nullptr;
    const int error = TktLibGetTicket(request, key(listKey).c_str(), &nested);
    if (error != kTktLibNoErr || nested == nullptr) {
        return ConvertTktLibErrToCoreErr(error);
    }
    for (const MaskBit& bit : kMaskBits) {
        if (has(*nested, bit.key)) {
            maskByte(*masks, bit.byte) |= bit.bit;
        }
    }
    return kCoreNoErr;
}

std::uint32_t LocalSetJobListAttrToTicket(GlueSession* session, TktLibTicket& result,
                                          std::string_view listKey, const JobListMasks& masks,
                                          const std::uint32_t* jobHandles, std::uint16_t count) {
    if (session == nullptr || (count != 0 && jobHandles == nullptr)) {
        return kCoreParamErr;
    }
    JobArrays jobs;
    for (std::uint16_t index = 0; index < count; ++index) {
        JobFields job;
        const std::int32_t status = glue_qdxaGetJobAttrFromBuf(
            session, jobHandles[index], job.name, &job.nameCode, job.detailName,
            &job.detailNameCode, job.owner, &job.ownerCode, &job.state[0], &job.state[1],
            &job.state[2], &job.impressions, &job.completeImpressions, &job.dataSize, &job.time,
            job.clientNumber, job.clientBlock);
        if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
            return code;
        }
        jobs.add(jobHandles[index], job);
    }
    TktLibTicket list = cf::Value::emptyDictionary();
    if (const std::uint32_t code =
            firstFailure([&] { return setInt(list, "JobHandleCount", count); },
                         [&] { return writeArrays(masks, jobs, list); });
        code != kCoreNoErr) {
        return code;
    }
    return setTicket(result, listKey, list);
}

std::uint32_t getJobListNotComm(GetRequest& get) {
    return getList(get, "JobListNotComm", glue_qdxaGetJobListToBuf_NotComm);
}

std::uint32_t getJobList(GetRequest& get) {
    return getList(get, "JobList", glue_qdxaGetJobListToBuf);
}

}  // namespace admin
