// Controls that run a method of the printer object: head cleaning, test prints and the mark of
// a suspended job.
#include <cstring>
#include <memory>
#include <new>

#include "bytes/byte_order.h"
#include "control/control_operations.h"
#include "glue/glue_error.h"
#include "glue/glue_operations.h"
#include "query/query_method.h"

namespace {

constexpr std::uint16_t kIndicateSuspendedJobInputSize = 7;
constexpr std::uint8_t kIndicateSuspendedJobKind = 1;

/// Each control builds its input in a fresh buffer of exactly its size.
using InputBuffer = std::unique_ptr<std::uint8_t[]>;

InputBuffer allocateInput(std::uint16_t size) {
    return InputBuffer(new (std::nothrow) std::uint8_t[size]());
}

/// Runs `method` of the printer under `userId1` without an answer buffer.
std::int32_t runControl(GlueSession* session, std::uint16_t method, const std::uint8_t* input,
                        std::uint16_t size, std::uint32_t userId1) {
    return glue_qdxaExecuteMethodbyUserID(session, kGlueObjectPrinter, method, input, &size,
                                          nullptr, nullptr, userId1);
}

std::int32_t runSessionControl(GlueSession* session, std::uint16_t method,
                               const std::uint8_t* input, std::uint16_t size) {
    return runControl(session, method, input, size, session->userId1);
}

}  // namespace

std::int32_t glue_qdxaHeadCleaning(GlueSession* session, std::uint8_t number,
                                   std::uint8_t colourCount, const std::uint8_t* colours) {
    if (session == nullptr || (colourCount != 0 && colours == nullptr)) {
        return kGlueParamErr;
    }
    const auto size = static_cast<std::uint16_t>(colourCount + 2);
    InputBuffer input = allocateInput(size);
    if (!input) {
        return kGlueMemErr;
    }
    input[0] = number;
    input[1] = colourCount;
    if (colourCount != 0) {
        std::memcpy(input.get() + 2, colours, colourCount);
    }
    return runSessionControl(session, kMethodHeadCleaning, input.get(), size);
}

std::int32_t glue_qdxaTestPrint(GlueSession* session, std::uint8_t pattern) {
    if (session == nullptr) {
        return kGlueParamErr;
    }
    return runSessionControl(session, kMethodTestPrint, &pattern, 1);
}

std::int32_t glue_qdxaTestPrintEx(GlueSession* session, std::uint8_t pattern) {
    if (session == nullptr) {
        return kGlueParamErr;
    }
    // The service patterns print under the service user whatever the session holds.
    const bool service =
        pattern == kTestPrintServicePattern || pattern == kTestPrintServicePatternEx;
    return runControl(session, kMethodTestPrint, &pattern, 1,
                      service ? kTestPrintServiceUserId : session->userId1);
}

std::int32_t glue_qdxaTestPrint2(GlueSession* session, std::uint8_t value) {
    if (session == nullptr) {
        return kGlueParamErr;
    }
    constexpr std::uint16_t kSize = 4;
    InputBuffer input = allocateInput(kSize);
    if (!input) {
        return kGlueMemErr;
    }
    input[0] = kTestPrint2Command;
    input[1] = value;
    return runSessionControl(session, kMethodTestPrint2, input.get(), kSize);
}

std::int32_t glue_qdxaIndicateSuspendedJob(GlueSession* session, std::uint32_t jobId,
                                           std::uint8_t flag) {
    if (session == nullptr) {
        return kGlueParamErr;
    }
    InputBuffer input = allocateInput(kIndicateSuspendedJobInputSize);
    if (!input) {
        return kGlueMemErr;
    }
    input[0] = flag;
    input[1] = kIndicateSuspendedJobKind;
    bytes::storeBE32(input.get() + 2, jobId);
    return runSessionControl(session, kMethodIndicateSuspendedJob, input.get(),
                             kIndicateSuspendedJobInputSize);
}
