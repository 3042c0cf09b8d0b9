// Setting one attribute of one object.
#include "bytes/byte_order.h"
#include "glue/glue_error.h"
#include "glue/glue_internal.h"
#include "glue/glue_operations.h"
#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_operations.h"

namespace {

// An access value travels as an access block of kind 1 holding its four bytes.
constexpr std::uint8_t kAccessKindValue = 1;
constexpr std::uint8_t kAccessValueLength = 4;

}  // namespace

std::int32_t glue_qdxaSet2(GlueSession* session, std::uint32_t objectId, std::uint16_t attributeId,
                           const std::uint8_t* value, std::uint16_t valueLength,
                           const std::uint32_t* accessValue) {
    if (session == nullptr || session->packetSession == nullptr ||
        (value == nullptr && valueLength != 0)) {
        return kGlueParamErr;
    }
    const QDXAIdentifiers ids = device::glueIdentifiers(*session);
    QDXASet2Request request;
    request.objectId = objectId;
    request.attributeId = attributeId;
    request.value = value;
    request.valueLength = valueLength;
    std::uint8_t access[kAccessValueLength] = {};
    if (accessValue != nullptr) {
        bytes::storeBE32(access, *accessValue);
        request.access = {kAccessKindValue, kAccessValueLength, access};
    }
    QDXASet2Reply reply;
    const std::int32_t status = QDXA_Set2(session->packetSession, &ids, &request, &reply);
    return status == kQDXASuccess ? kGlueNoErr : status;
}
