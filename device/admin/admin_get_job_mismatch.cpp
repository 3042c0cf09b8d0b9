// The medium of a job's document against the job in get requests: each requested mismatch
// value as an integer, and the job's status codes as an integer array.
#include "admin/admin_get_groups.h"
#include "core/core_error.h"
#include "glue/glue_internal.h"
#include "query/query_job.h"

namespace admin {
namespace {

/// A mismatch key, the mask bit that asks the printer for it, and how the record gives it.
struct MismatchKey {
    std::string_view key;
    std::uint32_t bit;
    std::int32_t (*value)(const MismatchRecord&);
};

// The document's extended medium gives the code type and code; its medium the type, size id,
// width and height; the roll width has an attribute of its own.
constexpr MismatchKey kKeys[] = {
    {"JobMediumExCodeType", 1, [](const MismatchRecord& r) { return std::int32_t(r.mediumKind); }},
    {"JobMediumExCodeStr", 2, [](const MismatchRecord& r) { return std::int32_t(r.mediumWord); }},
    {"JobMediumType", 4, [](const MismatchRecord& r) { return std::int32_t(r.documentKind); }},
    {"JobMediumSizeID", 8, [](const MismatchRecord& r) { return std::int32_t(r.documentWord); }},
    {"JobMediumSizeWidth", 16,
     [](const MismatchRecord& r) { return std::int32_t(r.documentValues[0]); }},
    {"JobMediumSizeHeight", 32,
     [](const MismatchRecord& r) { return std::int32_t(r.documentValues[1]); }},
    {"JobRollWidth", kMismatchMaskWord2410,
     [](const MismatchRecord& r) { return std::int32_t(r.word2410); }},
};
constexpr std::string_view kStatusCodesKey = "JobStatusCodeList";

/// The mask bits of the keys the request holds.
std::uint32_t requestedMask(const TktLibTicket& request) {
    std::uint32_t mask = has(request, kStatusCodesKey) ? kMismatchMaskJobValues : 0;
    for (const MismatchKey& key : kKeys) {
        if (has(request, key.key)) {
            mask |= key.bit;
        }
    }
    return mask;
}

}  // namespace

std::uint32_t getJobMediumMismatch(GetRequest& get) {
    const std::uint32_t mask = requestedMask(get.request);
    if (mask == 0) {
        return kCoreNoErr;
    }
    std::optional<std::int32_t> job;
    std::optional<std::int32_t> document;
    if (const std::uint32_t code =
            firstFailure([&] { return readInt(get.request, "JobHandle", job); },
                         [&] { return readInt(get.request, "DocumentHandle", document); });
        code != kCoreNoErr || !job) {
        return code;
    }
    device::GlueHandle values(Wqs_Mem_NewHandle(1));
    if (!values) {
        return kCoreMemErr;
    }
    MismatchRecord record;
    record.jobValues = values.get();
    const std::int32_t status = glue_qdxaGetWVTJobMediumMismatch(
        get.session, static_cast<std::uint32_t>(*job),
        static_cast<std::uint32_t>(document.value_or(0)), &record, mask);
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        return code;
    }
    for (const MismatchKey& key : kKeys) {
        if (!has(get.request, key.key)) {
            continue;
        }
        if (const std::uint32_t code = setInt(get.result, key.key, key.value(record));
            code != kCoreNoErr) {
            return code;
        }
    }
    if (!has(get.request, kStatusCodesKey)) {
        return kCoreNoErr;
    }
    return setIntArray(get.result, kStatusCodesKey,
                       handleValues(values.get(), record.jobValueCount));
}

}  // namespace admin
