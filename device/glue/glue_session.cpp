// Opening, checking and closing a protocol session, and freeing what it holds.
#include "glue/glue_session.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string_view>

#include "glue/glue_component.h"
#include "glue/glue_error.h"
#include "glue/glue_internal.h"
#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_operations.h"
#include "qdxa/qdxa_strings.h"

namespace {

constexpr std::string_view kVersionTwoQuestion = "Support QDXA v2 Operations?";
constexpr std::string_view kVersionTwoAnswer = "yes";
constexpr std::uint16_t kQuestionBufferSize = 255;

std::int32_t checkVersion(GlueSession& session);
std::int32_t checkVersionTwo(GlueSession& session);
std::int32_t cacheModelAndState(GlueSession& session);
void disposeCalibrationList(WqsMemHandle* list);

template <typename Dispose>
std::int32_t disposeHeld(GlueSession* session, Dispose dispose) {
    if (session == nullptr) {
        return kGlueParamErr;
    }
    dispose(*session);
    return kGlueNoErr;
}

}  // namespace

GlueSession::~GlueSession() {
    QDXA_Unbind(packetSession);
    disposeCalibrationList(calibrationList);
    Wqs_Mem_DisposeHandle(profileList);
    Wqs_Mem_DisposeHandle(extraBuffer);
}

std::int32_t glue_qdxaOpen(const char* address, CaioChannel* transport, std::uint8_t channelKind,
                           GlueSession** out) {
    if (out == nullptr) {
        return kGlueParamErr;
    }
    *out = nullptr;
    std::unique_ptr<GlueSession> session(new (std::nothrow) GlueSession);
    if (!session) {
        return kGlueMemErr;
    }
    session->bindRecord.reset(new (std::nothrow) QDXABindRecord);
    if (!session->bindRecord) {
        return kGlueMemErr;
    }
    QDXABindRecord& record = *session->bindRecord;
    record.deviceURI = address;
    record.transport = transport;
    record.channelKind = channelKind;
    record.owner = session.get();
    // Only network and USB printers have an endpoint; nothing is sent for any other address.
    record.endpoint.kind = device::glueEndpointKind(address);
    if (record.endpoint.kind == 0) {
        return kGlueFailure;
    }
    std::int32_t status = QDXA_Bind(&record, &record.endpoint, &session->packetSession);
    if (status != kQDXASuccess) {
        return status;
    }
    // On failure the session's destructor unbinds and frees everything.
    status = checkVersion(*session);
    if (status == kGlueNoErr) {
        status = checkVersionTwo(*session);
    }
    if (status == kGlueNoErr) {
        status = cacheModelAndState(*session);
    }
    if (status != kGlueNoErr) {
        return status;
    }
    *out = session.release();
    return kGlueNoErr;
}

std::int32_t glue_qdxaEcho(GlueSession* session, std::uint8_t* buffer, std::uint16_t* length,
                           std::uint8_t* version) {
    if (session == nullptr || session->packetSession == nullptr) {
        return kGlueParamErr;
    }
    const QDXAIdentifiers ids = device::glueIdentifiers(*session);
    const bool withData = buffer != nullptr && length != nullptr && *length != 0;
    QDXAEchoRequest request;
    if (withData) {
        request = {buffer, *length};
    }
    QDXAEchoReply reply;
    const std::int32_t status = QDXA_Echo(session->packetSession, &ids, &request, &reply);
    if (status != kQDXASuccess) {
        return status;
    }
    if (!withData) {
        if (version != nullptr) {
            *version = reply.bytes.copy != nullptr ? reply.bytes.copy.get()[0] : reply.value;
        }
        return kGlueNoErr;
    }
    // A one-byte answer comes back as a value, not as a copy.
    const std::uint8_t* answer = reply.bytes.copy.get();
    std::uint32_t answerLength = reply.bytes.length;
    if (answer == nullptr && reply.value != 0) {
        answer = &reply.value;
        answerLength = 1;
    }
    const auto copied = static_cast<std::uint16_t>(std::min<std::uint32_t>(answerLength, *length));
    std::memset(buffer, 0, *length);
    if (copied != 0) {
        std::memcpy(buffer, answer, copied);
    }
    *length = copied;
    return kGlueNoErr;
}

std::int32_t glue_qdxaClose(GlueSession** reference, std::uint8_t abort) {
    if (reference == nullptr || *reference == nullptr) {
        return kGlueNoErr;
    }
    GlueSession* session = *reference;
    NCT_QDXA_SetAbort(session->packetSession, abort);
    const std::int32_t status = QDXA_Unbind(session->packetSession);
    // The codec frees the packet session even when a channel close fails; a second close must
    // not unbind it again.
    session->packetSession = nullptr;
    if (status != kQDXASuccess) {
        return status;
    }
    delete session;
    *reference = nullptr;
    return kGlueNoErr;
}

std::int32_t glue_qdxaDisposeJobListBuf(GlueSession* session) {
    return disposeHeld(session, [](GlueSession& held) { held.jobList.reset(); });
}

std::int32_t glue_qdxaDispose_CalibrationListBuf(GlueSession* session) {
    return disposeHeld(session, [](GlueSession& held) {
        disposeCalibrationList(held.calibrationList);
        held.calibrationList = nullptr;
    });
}

std::int32_t glue_qdxaDispose_ProfileListBuf(GlueSession* session) {
    return disposeHeld(session, [](GlueSession& held) {
        Wqs_Mem_DisposeHandle(held.profileList);
        held.profileList = nullptr;
    });
}

namespace {

std::int32_t checkVersion(GlueSession& session) {
    const std::int32_t status = glue_qdxaEcho(&session, nullptr, nullptr, &session.protocolVersion);
    if (status != kGlueNoErr) {
        return status;
    }
    return session.protocolVersion == kGlueProtocolVersion ? kGlueNoErr : kGlueVersionErr;
}

std::int32_t checkVersionTwo(GlueSession& session) {
    std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[kQuestionBufferSize]());
    if (!buffer) {
        return kGlueMemErr;
    }
    std::memcpy(buffer.get(), kVersionTwoQuestion.data(), kVersionTwoQuestion.size());
    auto length = static_cast<std::uint16_t>(kVersionTwoQuestion.size());
    const std::int32_t status = glue_qdxaEcho(&session, buffer.get(), &length, nullptr);
    if (status != kGlueNoErr) {
        return status;
    }
    const std::string_view answer(reinterpret_cast<const char*>(buffer.get()),
                                  ::strnlen(reinterpret_cast<const char*>(buffer.get()), length));
    return answer == kVersionTwoAnswer ? kGlueNoErr : kGlueNoVersion2Err;
}

std::int32_t cacheModelAndState(GlueSession& session) {
    std::uint8_t model[kQDXAMaxStringLength + 1] = {};
    std::int32_t status = glue_qdxaGetComponentModel(&session, model);
    if (status != kGlueNoErr) {
        return status;
    }
    // The session keeps at most 47 characters of the model name.
    CopyString8(model, session.modelName, kGlueModelNameSize - 1);
    return glue_qdxaGetComponentState2(&session, &session.printerState, &session.stateReason,
                                       &session.printable, &session.statusDetailCode);
}

void disposeCalibrationList(WqsMemHandle* list) {
    if (list != nullptr && list->data != nullptr && list->size >= sizeof(std::uint16_t)) {
        std::uint16_t count = 0;
        std::memcpy(&count, list->data, sizeof count);
        std::uint32_t offset = kGlueCalibrationEntriesOffset;
        for (std::uint16_t index = 0; index < count; ++index) {
            if (list->size < offset || list->size - offset < sizeof(GlueCalibrationEntry)) {
                break;
            }
            GlueCalibrationEntry entry;
            std::memcpy(&entry, list->data + offset, sizeof entry);
            for (WqsMemHandle* handle : entry.handles) {
                Wqs_Mem_DisposeHandle(handle);
            }
            offset += sizeof(GlueCalibrationEntry);
        }
    }
    Wqs_Mem_DisposeHandle(list);
}

}  // namespace
