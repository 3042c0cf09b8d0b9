// Job operations: cancel, delete, pause, resume and promote one job of the printer.
#include "control/control_internal.h"
#include "control/control_operations.h"
#include "glue/glue_error.h"
#include "glue/glue_internal.h"
#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_operations.h"

namespace {

/// Sends one job operation with the session's user ids.
template <typename Request, typename Reply>
std::int32_t runJobOperation(GlueSession* session, Request request,
                             std::int32_t (*operation)(PacketSession*, const QDXAIdentifiers*,
                                                       const Request*, Reply*)) {
    if (session == nullptr) {
        return kGlueParamErr;
    }
    const QDXAIdentifiers ids = device::glueIdentifiers(*session);
    Reply reply;
    return device::controlStatus(operation(session->packetSession, &ids, &request, &reply));
}

QDXAObjectRequest jobRequest(std::uint32_t jobId) {
    QDXAObjectRequest request;
    request.objectId = jobId;
    return request;
}

}  // namespace

std::int32_t glue_qdxaCancelJob(GlueSession* session, std::uint32_t jobId) {
    return runJobOperation(session, jobRequest(jobId), QDXA_CancelJob);
}

std::int32_t glue_qdxaDelete(GlueSession* session, std::uint32_t jobId) {
    return runJobOperation(session, jobRequest(jobId), QDXA_Delete);
}

std::int32_t glue_qdxaPauseJob(GlueSession* session, std::uint32_t jobId) {
    return runJobOperation(session, jobRequest(jobId), QDXA_PauseJob);
}

std::int32_t glue_qdxaResumeJob(GlueSession* session, std::uint32_t jobId) {
    return runJobOperation(session, jobRequest(jobId), QDXA_ResumeJob);
}

std::int32_t glue_qdxaPromoteJob(GlueSession* session, std::uint32_t jobId) {
    QDXAPromoteJobRequest request;
    request.jobId = jobId;
    return runJobOperation(session, request, QDXA_PromoteJob);
}
