// Closing a job: on the printer, or in the spooling framework.
#include "DovoCommonLib/ios_status.h"
#include "record/qdxa_info.h"
#include "transport/job_transport.h"
#include "transport/transport_calls.h"
#include "transport/transport_status.h"

namespace {

using namespace rastercore;

// Repeated while the printer is offline or busy, the only answers after which the device library
// keeps the job; any other answer has released it, so it is never closed a second time. A cancel
// seen while waiting ends the wait with the job left open.
void closeDirect(QDXA_Info& info, bool cancelled) {
    const TransportCalls& calls = transportCalls().current();
    for (;;) {
        std::uint32_t detail = 0;
        const std::uint32_t status = calls.jobClose(info.jobHandle, cancelled ? 1 : 0, &detail);
        if (status != kIOS_ErrOffline && status != kIOS_ErrBusy) {
            info.jobHandle = nullptr;
            if (status == kIOS_NoErr) {
                showTransportStatus(info, kProgressStatusPrinting);
            }
            return;
        }
        if (status == kIOS_ErrOffline) {
            showTransportStatus(info, statusForOfflineDetail(detail));
        }
        if (transportCancelled(info, CancelPoll::JobOpen)) {
            return;
        }
        calls.pause(kTransportRetryPause);
    }
}

}  // namespace

void PLG_IOS_JobClose(QDXA_Info* info, bool cancelled) {
    if (info == nullptr || info->jobHandle == nullptr) {
        return;
    }
    if (info->spool != 0) {
        transportCalls().current().agencyJobClose(info->jobHandle, cancelled ? 1 : 0);
        info->jobHandle = nullptr;
        return;
    }
    closeDirect(*info, cancelled);
}
