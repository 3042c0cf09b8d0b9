// Job operations: cancel, delete, pause, resume and promote one job of the printer.
#include "control/control_operations.h"
#include "glue/glue_error.h"
#include "glue/glue_internal.h"
#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_operations.h"

namespace {

using ObjectOperation = std::int32_t (*)(PacketSession*, const QDXAIdentifiers*,
                                         const QDXAObjectRequest*, QDXAObjectReply*);

/// The printer's status 1 is success; every other status is handed on.
std::int32_t jobStatus(std::int32_t status) {
    return status == kQDXASuccess ? kGlueNoErr : status;
}

std::int32_t runJobOperation(GlueSession* session, std::uint32_t jobId, ObjectOperation operation) {
    if (session == nullptr) {
        return kGlueParamErr;
    }
    const QDXAIdentifiers ids = glueIdentifiers(*session);
    QDXAObjectRequest request;
    request.objectId = jobId;
    QDXAObjectReply reply;
    return jobStatus(operation(session->packetSession, &ids, &request, &reply));
}

}  // namespace

std::int32_t glue_qdxaCancelJob(GlueSession* session, std::uint32_t jobId) {
    return runJobOperation(session, jobId, QDXA_CancelJob);
}

std::int32_t glue_qdxaDelete(GlueSession* session, std::uint32_t jobId) {
    return runJobOperation(session, jobId, QDXA_Delete);
}

std::int32_t glue_qdxaPauseJob(GlueSession* session, std::uint32_t jobId) {
    return runJobOperation(session, jobId, QDXA_PauseJob);
}

std::int32_t glue_qdxaResumeJob(GlueSession* session, std::uint32_t jobId) {
    return runJobOperation(session, jobId, QDXA_ResumeJob);
}

std::int32_t glue_qdxaPromoteJob(GlueSession* session, std::uint32_t jobId) {
    if (session == nullptr) {
        return kGlueParamErr;
    }
    const QDXAIdentifiers ids = glueIdentifiers(*session);
    QDXAPromoteJobRequest request;
    request.jobId = jobId;
    QDXAPromoteJobReply reply;
    return jobStatus(QDXA_PromoteJob(session->packetSession, &ids, &request, &reply));
}
