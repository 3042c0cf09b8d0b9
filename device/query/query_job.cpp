// The medium mismatch of a job, its document list and a document's extended medium id.
#include "query/query_job.h"

#include <algorithm>

#include "glue/glue_error.h"
#include "glue/glue_operations.h"
#include "qdxa_protocol/codes.h"
#include "query/query_internal.h"

namespace {

constexpr std::uint16_t kAttrJobValues = 283;
constexpr std::uint16_t kAttrDocumentKind = 2029;
constexpr std::uint16_t kAttrDocumentMedium = 2214;
constexpr std::uint16_t kAttr2410 = 2410;

// A Get2 reply of one object and one attribute: object id, attribute count, attribute id and
// length, then the value.
constexpr std::size_t kAttributeCountOffset = 4;
constexpr std::size_t kAttributeIdOffset = 6;
constexpr std::size_t kSingleValueOffset = 10;

// Reads one attribute of one object.
std::int32_t readSingle(GlueSession& session, std::uint32_t object, std::uint16_t attribute,
                        device::Get2Reply& reply) {
    return reply.read(session, std::span(&object, 1), 1, std::span(&attribute, 1));
}

void z_GetMismatchJob_ForGet2(std::uint16_t attribute, std::span<const std::uint8_t> value,
                              MismatchRecord& record) {
    const device::AnswerFields fields(value);
    switch (attribute) {
        case kAttrJobValues: {
            // The count at byte 3, 32-bit values from byte 4.
            std::uint16_t listed = 0;
            fields.u8(3, listed);
            const std::size_t held = value.size() > 4 ? (value.size() - 4) / 4 : 0;
            const auto count = static_cast<std::uint16_t>(std::min<std::size_t>(listed, held));
            if (record.jobValues == nullptr ||
                device::querySizeValues(record.jobValues, count) != kGlueNoErr) {
                return;
            }
            for (std::uint16_t index = 0; index < count; ++index) {
                device::queryStoreValue(record.jobValues, index,
                                        bytes::loadBE32(value.data() + 4 + 4 * index));
            }
            record.jobValueCount = count;
            break;
        }
        case kAttrDocumentKind:
            device::queryReadDocumentKind(fields, record.documentKind, record.documentWord,
                                          record.documentValues);
            break;
        case kAttrDocumentMedium:
            fields.u8(0, record.mediumKind);
            fields.u16(1, record.mediumWord);
            break;
        case kAttr2410:
            fields.u16(0, record.word2410);
            break;
        default:
            break;
    }
}

}  // namespace

std::int32_t glue_qdxaGetWVTJobMediumMismatch(GlueSession* session, std::uint32_t jobId,
                                              std::uint32_t documentId, MismatchRecord* record,
                                              std::uint32_t mask) {
    if (session == nullptr || record == nullptr) {
        return kGlueParamErr;
    }
    struct Read {
        std::uint32_t mask;
        std::uint16_t attribute;
        std::uint32_t object;
    };
    const Read reads[] = {
        {kMismatchMaskJobValues, kAttrJobValues, jobId},
        {kMismatchMaskDocumentKind, kAttrDocumentKind, documentId},
        {kMismatchMaskMedium, kAttrDocumentMedium, documentId},
        {kMismatchMaskWord2410, kAttr2410, documentId},
    };
    for (const Read& read : reads) {
        if ((mask & read.mask) == 0) {
            continue;
        }
        device::Get2Reply reply;
        const std::int32_t status = readSingle(*session, read.object, read.attribute, reply);
        if (status == qdxa::kResultAttributeRefused) {
            continue;
        }
        if (status != kGlueNoErr) {
            return status;
        }
        device::queryForEachGet2Attribute(
            reply.bytes(), reply.objects(),
            [&](std::uint32_t, std::uint16_t attribute, std::span<const std::uint8_t> value) {
                z_GetMismatchJob_ForGet2(attribute, value, *record);
            });
    }
    return kGlueNoErr;
}

std::int32_t glue_qdxaGetWVTDocumentList(GlueSession* session, std::uint32_t jobId,
                                         WqsMemHandle* handle, std::uint16_t* count) {
    if (session == nullptr || handle == nullptr || count == nullptr) {
        return kGlueParamErr;
    }
    *count = 0;
    device::Get2Reply reply;
    const std::int32_t status = readSingle(*session, jobId, kAttrJobDocuments, reply);
    if (status == qdxa::kResultAttributeRefused) {
        return kGlueNoErr;
    }
    if (status != kGlueNoErr) {
        return status;
    }
    // The 16-bit document count at reply byte 10, then the 32-bit ids.
    const auto data = reply.bytes();
    bytes::ByteReader reader(data.size() > kSingleValueOffset ? data.subspan(kSingleValueOffset)
                                                              : std::span<const std::uint8_t>());
    const std::uint16_t listed = reader.u16be().value_or(0);
    const auto held =
        static_cast<std::uint16_t>(std::min<std::size_t>(listed, reader.remaining() / 4));
    const std::int32_t sized = device::querySizeValues(handle, held);
    if (sized != kGlueNoErr) {
        return sized;
    }
    for (std::uint16_t index = 0; index < held; ++index) {
        device::queryStoreValue(handle, index, *reader.u32be());
    }
    *count = held;
    return kGlueNoErr;
}

std::int32_t glue_qdxaGetExtendedMediumID(GlueSession* session, std::uint32_t documentId,
                                          ExtendedMediumIDRecord* record) {
    if (session == nullptr || record == nullptr) {
        return kGlueParamErr;
    }
    device::Get2Reply reply;
    const std::int32_t status = readSingle(*session, documentId, kAttrExtendedMediumID, reply);
    if (status != kGlueNoErr) {
        return status;
    }
    const device::AnswerFields fields(reply.bytes());
    std::uint16_t attributes = 0;
    std::uint16_t first = 0;
    fields.u16(kAttributeCountOffset, attributes);
    fields.u16(kAttributeIdOffset, first);
    if (attributes != 0 && first == kAttrExtendedMediumID) {
        fields.u32(10, record->value);
        fields.u16(14, record->words[0]);
        fields.u16(16, record->words[1]);
        fields.u8(18, record->byte);
    }
    return kGlueNoErr;
}
