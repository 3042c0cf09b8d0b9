// The job's structure packets (job, binder and document start and end) and its print data.
#include <vector>

#include "qdxa/attribute_encoding.h"
#include "qdxa/packet_writer.h"
#include "qdxa/tarn_qdxa.h"
#include "qdxa/tarn_qdxa_internal.h"
#include "rastercore/result_codes.h"

namespace {

using rastercore::kPacketBadArgument;

// Parameters of the core's job start.
constexpr std::uint32_t kJobStartFirst = 0;
constexpr std::uint8_t kJobStartSecond = 1;
constexpr std::uint32_t kJobStartThird = 0;
constexpr std::uint32_t kJobStartFourth = 0;
// Binder and document ids of the core's one binder and one document.
constexpr std::uint32_t kBinderId = 0;
constexpr std::uint32_t kDocumentId = 0;

// Runs `send` on a present record with the status cleared.
template <typename Send>
std::int32_t withRecord(QDXA_Info* info, std::int16_t* status, Send send) {
    clearStatus(status);
    return info != nullptr ? send() : kPacketBadArgument;
}

}  // namespace

std::int32_t tarn_QDXA_JobStart(QDXA_Info* info, const void*, std::uint8_t replyFlag,
                                std::int16_t* status) {
    return withRecord(info, status, [&] {
        return QDXA_JobStart(info, replyFlag, kJobIdentifier, kJobIdentifier, kJobStartFirst,
                             kJobStartSecond, kJobStartThird, kJobStartFourth);
    });
}

std::int32_t tarn_QDXA_JobStart2(QDXA_Info* info, const void*, std::uint8_t replyFlag,
                                 std::int16_t* status) {
    return withRecord(info, status, [&] {
        std::vector<std::uint8_t> list;
        const std::uint16_t count = encodeJobStart2List(list, info->jobStart2);
        return QDXA_JobStart2(info, replyFlag, kJobIdentifier, kJobIdentifier, count, list.data(),
                              static_cast<std::uint32_t>(list.size()));
    });
}

std::int32_t tarn_QDXA_BinderStart(QDXA_Info* info, const void*, std::uint8_t replyFlag,
                                   std::int16_t* status) {
    return withRecord(info, status, [&] {
        return QDXA_BinderStart(info, replyFlag, kJobIdentifier, kJobIdentifier, kBinderId);
    });
}

std::int32_t tarn_QDXA_BinderEnd(QDXA_Info* info, const void*, std::uint8_t replyFlag,
                                 std::int16_t* status) {
    return withRecord(info, status, [&] {
        return QDXA_BinderEnd(info, replyFlag, kJobIdentifier, kJobIdentifier);
    });
}

std::int32_t tarn_QDXA_DocumentStart(QDXA_Info* info, const void*, std::uint8_t replyFlag,
                                     std::int16_t* status) {
    return withRecord(info, status, [&] {
        return QDXA_DocumentStart(info, replyFlag, kJobIdentifier, kJobIdentifier, kDocumentId);
    });
}

std::int32_t tarn_QDXA_DocumentEnd(QDXA_Info* info, const void*, std::uint8_t replyFlag,
                                   std::int16_t* status) {
    return withRecord(info, status, [&] {
        return QDXA_DocumentEnd(info, replyFlag, kJobIdentifier, kJobIdentifier);
    });
}

std::int32_t tarn_QDXA_JobEnd(QDXA_Info* info, std::uint8_t endKind, std::uint8_t replyFlag,
                              std::int16_t* status) {
    return withRecord(info, status, [&] {
        return QDXA_JobEnd(info, replyFlag, kJobIdentifier, kJobIdentifier, endKind);
    });
}

std::int32_t tarn_QDXA_SendData(QDXA_Info* info, const std::uint8_t* data, std::uint32_t length,
                                std::uint8_t replyFlag, std::int16_t* status) {
    clearStatus(status);
    if (info == nullptr || data == nullptr || length == 0) {
        return kPacketBadArgument;
    }
    while (length > 0) {
        QDXA_DataPiece piece{kQdxaDataKindPrint,
                             length > kQdxaMaxDataPiece ? kQdxaContinued : std::uint8_t{0}, data,
                             length};
        const std::int32_t result =
            QDXA_Send(info, replyFlag, kJobIdentifier, kJobIdentifier, &piece);
        if (result != rastercore::kResultOk) {
            return result;
        }
        data += piece.length;
        length -= piece.length;
    }
    return rastercore::kResultOk;
}
