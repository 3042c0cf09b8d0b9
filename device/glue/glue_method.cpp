// Running a method of an object and handing its answer to the caller.
#include <cstring>

#include "glue/glue_error.h"
#include "glue/glue_internal.h"
#include "glue/glue_operations.h"
#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_operations.h"

std::int32_t glue_qdxaExecuteMethod(GlueSession* session, std::uint32_t objectId,
                                    std::uint16_t methodId, const std::uint8_t* input,
                                    const std::uint16_t* inputLength, std::uint8_t* answer,
                                    std::uint32_t* answerLength) {
    if (session == nullptr) {
        return kGlueParamErr;
    }
    return glue_qdxaExecuteMethodbyUserID(session, objectId, methodId, input, inputLength, answer,
                                          answerLength, session->userId1);
}

std::int32_t glue_qdxaExecuteMethodbyUserID(GlueSession* session, std::uint32_t objectId,
                                            std::uint16_t methodId, const std::uint8_t* input,
                                            const std::uint16_t* inputLength, std::uint8_t* answer,
                                            std::uint32_t* answerLength, std::uint32_t userId1) {
    if (session == nullptr || session->packetSession == nullptr ||
        (inputLength != nullptr && *inputLength != 0 && input == nullptr)) {
        return kGlueParamErr;
    }
    const QDXAIdentifiers ids{userId1, session->userId2};
    QDXAExecuteMethodRequest request;
    request.objectId = objectId;
    request.methodId = methodId;
    if (inputLength != nullptr) {
        request.input = input;
        request.inputLength = *inputLength;
    }
    QDXAExecuteMethodReply reply;
    const std::int32_t status = QDXA_ExecuteMethod(session->packetSession, &ids, &request, &reply);
    if (status != kQDXASuccess && status != kQDXASuccessAlso) {
        return status;
    }
    if (answer != nullptr && answerLength != nullptr) {
        const std::uint32_t capacity = *answerLength;
        *answerLength = reply.answer.length;
        if (reply.answer.length > capacity) {
            return kGlueMemErr;
        }
        if (reply.answer.length != 0) {
            std::memcpy(answer, reply.answer.copy.get(), reply.answer.length);
        }
    }
    return kGlueNoErr;
}
