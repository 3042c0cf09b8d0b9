// Reading an extended list of the device object.
#include <chrono>
#include <thread>

#include "glue/glue_error.h"
#include "glue/glue_internal.h"
#include "glue/glue_operations.h"
#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_operations.h"

namespace {

// The service-print strings: the printer needs a pause between their replies.
constexpr std::uint16_t kServicePrintStrings = 9;
constexpr std::chrono::milliseconds kServicePrintPause{100};

// Of the reply's four 16-bit fields after the typed value: the element type and the number of
// elements the reply delivered.
constexpr std::size_t kElementTypeField = 0;
constexpr std::size_t kElementCountField = 1;

}  // namespace

std::int32_t glue_qdxaListEx_ushort(GlueSession* session, std::uint32_t objectId,
                                    std::uint16_t listKind, std::uint16_t* elementType,
                                    WqsMemHandle* handle, std::uint32_t* size,
                                    std::uint16_t* elementCount) {
    if (session == nullptr || session->packetSession == nullptr || elementType == nullptr ||
        handle == nullptr || size == nullptr) {
        return kGlueParamErr;
    }
    *size = 0;
    if (elementCount != nullptr) {
        *elementCount = 0;
    }
    const QDXAIdentifiers ids = device::glueIdentifiers(*session);
    QDXAListExRequest request;
    request.objectId = objectId;
    request.valueType = kQDXAValueType16;
    request.value = listKind;
    std::uint32_t total = 0;
    std::uint16_t count = 0;
    for (;;) {
        QDXAListExReply reply;
        const std::int32_t status = QDXA_ListEx(session->packetSession, &ids, &request, &reply);
        if (status != kQDXASuccess && status != kQDXASuccessAlso) {
            return status;
        }
        const bool more = status == kQDXASuccessAlso && reply.listHandle != 0;
        *elementType = reply.values16[kElementTypeField];
        const auto endList = [&] {
            device::glueEndList(*session, request, reply.listHandle, QDXA_ListEx);
        };
        // A continuation that delivers nothing yet asks to go on would never end the list.
        if (more && request.operation == kQDXAListContinue && reply.data.length == 0) {
            endList();
            return kGlueListStalled;
        }
        const std::int32_t appended =
            device::glueAppend(handle, total, reply.data.copy.get(), reply.data.length);
        if (appended != kGlueNoErr) {
            if (more) {
                endList();
            }
            return appended;
        }
        count = static_cast<std::uint16_t>(count + reply.values16[kElementCountField]);
        if (!more) {
            break;
        }
        if (listKind == kServicePrintStrings) {
            std::this_thread::sleep_for(kServicePrintPause);
        }
        request.operation = kQDXAListContinue;
        request.listHandle = reply.listHandle;
    }
    device::glueFitHandle(handle, total);
    *size = total;
    if (elementCount != nullptr) {
        *elementCount = count;
    }
    return kGlueNoErr;
}
