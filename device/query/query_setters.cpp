// The string-attribute setter and the method setters.
#include "query/query_setters.h"

#include <array>
#include <cstring>

#include "glue/glue_error.h"
#include "glue/glue_operations.h"
#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_session.h"
#include "query/query_internal.h"

namespace {

// The custom-media method takes 1 in its third byte to set an item (the query sends 0).
constexpr std::uint8_t kCustomMediaSet = 1;
// The two bytes that follow the media type of a media-type setting.
constexpr std::uint8_t kMediaTypeFiller = 0x99;
constexpr std::int32_t kPreInfoRefused = 11;

std::int32_t runSetter(GlueSession* session, std::uint32_t object, std::uint16_t method,
                       std::span<const std::uint8_t> input, std::uint32_t answerSize) {
    if (session == nullptr) {
        return kGlueParamErr;
    }
    device::MethodAnswer answer;
    if (!answer.allocate(answerSize)) {
        return kGlueMemErr;
    }
    return answer.run(*session, object, method, input);
}

std::int32_t runPrinterSetter(GlueSession* session, std::uint16_t method,
                              std::span<const std::uint8_t> input) {
    return device::queryNoInformationIsSuccess(
        runSetter(session, kGlueObjectPrinter, method, input, device::kQueryMethodAnswerSize));
}

}  // namespace

std::int32_t glue_qdxaSetStringAttribute(GlueSession* session, std::uint32_t object,
                                         std::uint16_t attribute, std::uint16_t code,
                                         const std::uint8_t* string,
                                         const std::uint32_t* accessValue) {
    if (session == nullptr || string == nullptr) {
        return kGlueParamErr;
    }
    // The code, the length byte and at most 255 characters.
    std::array<std::uint8_t, 2 + 1 + 255> value{};
    bytes::storeBE16(value.data(), code);
    const std::uint8_t length = string[0];
    std::memcpy(value.data() + 2, string, 1u + length);
    return glue_qdxaSet2(session, object, attribute, value.data(),
                         static_cast<std::uint16_t>(length + 3), accessValue);
}

std::int32_t glue_qdxaSetMediaListNumber(GlueSession* session, std::uint8_t listNumber) {
    const std::uint8_t input[] = {listNumber};
    return runPrinterSetter(session, kMethodSetMediaListNumber, input);
}

std::int32_t glue_qdxaSetAppointMediaTypeEx(GlueSession* session, std::uint16_t mediaType) {
    std::uint8_t input[2];
    bytes::storeBE16(input, mediaType);
    return runPrinterSetter(session, kMethodSetAppointMediaTypeEx, input);
}

std::int32_t glue_qdxaSetFixCustomMedia(GlueSession* session, std::uint16_t mediaId) {
    std::uint8_t input[2];
    bytes::storeBE16(input, mediaId);
    return runPrinterSetter(session, kMethodSetFixCustomMedia, input);
}

std::int32_t glue_qdxaSetWVTCustomMediaInfo(GlueSession* session, std::uint16_t mediaId,
                                            std::uint8_t item, std::uint8_t value) {
    if (session == nullptr) {
        return kGlueParamErr;
    }
    std::uint8_t input[5] = {0, 0, kCustomMediaSet, item, value};
    bytes::storeBE16(input, mediaId);
    return device::queryNoInformationIsSuccess(
        runSetter(session, kGlueObjectPrinter, kMethodCustomMediaInfo, input,
                  RecievePacketSize(session->packetSession)));
}

std::int32_t glue_qdxaSetMediaType(GlueSession* session, std::uint8_t mediaType,
                                   std::uint8_t trayAlias) {
    const std::uint8_t input[] = {mediaType, kMediaTypeFiller, kMediaTypeFiller, trayAlias, 0};
    return runPrinterSetter(session, kMethodSetMediaType, input);
}

std::int32_t glue_qdxaSetPreInfo(GlueSession* session, std::uint32_t count,
                                 const std::uint32_t* values) {
    if (session == nullptr || values == nullptr) {
        return kGlueParamErr;
    }
    if (count != kPreInfoValueCount) {
        return kGlueNoErr;
    }
    // Each value narrowed to its field; bytes 23 to 54 stay zero.
    std::array<std::uint8_t, kPreInfoInputSize> input{};
    bytes::storeBE32(&input[0], values[0]);
    input[4] = static_cast<std::uint8_t>(values[1]);
    input[5] = static_cast<std::uint8_t>(values[2]);
    input[6] = static_cast<std::uint8_t>(values[3]);
    bytes::storeBE16(&input[7], static_cast<std::uint16_t>(values[4]));
    bytes::storeBE32(&input[9], values[5]);
    bytes::storeBE32(&input[13], values[6]);
    input[17] = static_cast<std::uint8_t>(values[7]);
    input[18] = static_cast<std::uint8_t>(values[8]);
    bytes::storeBE16(&input[19], static_cast<std::uint16_t>(values[9]));
    input[21] = static_cast<std::uint8_t>(values[10]);
    input[22] = static_cast<std::uint8_t>(values[11]);
    const std::int32_t status = runSetter(session, kGlueObjectPreInformation, kMethodSetPreInfo,
                                          input, device::kQueryMethodAnswerSize);
    if (status == kPreInfoRefused) {
        return kGlueParamErr;
    }
    return device::queryNoInformationIsSuccess(status);
}
