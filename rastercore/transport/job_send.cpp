// Sending a job's bytes: directly to the printer, or into the spooling framework.
#include <algorithm>

#include "DovoCommonLib/ios_status.h"
#include "IOSProxyKit/ios_agency.h"
#include "rastercore/result_codes.h"
#include "record/qdxa_info.h"
#include "transport/job_transport.h"
#include "transport/transport_calls.h"
#include "transport/transport_status.h"

namespace {

using namespace rastercore;

std::int32_t sendDirect(QDXA_Info& info, const std::uint8_t* data, std::uint32_t* remaining,
                        bool last) {
    const TransportCalls& calls = transportCalls().current();
    bool waited = false;
    int passesWithoutProgress = 0;
    while (*remaining > 0) {
        std::uint32_t taken = *remaining;
        std::uint32_t detail = 0;
        const std::uint32_t status =
            calls.jobSend(info.jobHandle, data, &taken, last ? 1 : 0, &detail);
        taken = std::min(taken, *remaining);
        const bool waitedBefore = waited;
        waited = status == kIOS_ErrOffline || status == kIOS_ErrBusy;
        bool failed = false;
        if (status == kIOS_NoErr) {
            if (waitedBefore) {
                showTransportStatus(info, kProgressStatusPrinting);
            }
        } else if (waited) {
            if (status == kIOS_ErrOffline) {
                showTransportStatus(info, statusForOfflineDetail(detail));
            }
            if (transportCancelled(info, CancelPoll::JobOpen)) {
                return kResultCancelled;
            }
        } else {
            if (transportCancelled(info, CancelPoll::Normal)) {
                return kResultCancelled;
            }
            failed = true;
        }
        data += taken;
        *remaining -= taken;
        if (transportCancelled(info, CancelPoll::Normal)) {
            return kResultCancelled;
        }
        if (failed) {
            return kTransportFailure;
        }
        // A printer that stays online but takes nothing would keep the job here for ever.
        passesWithoutProgress = taken > 0 || waited ? 0 : passesWithoutProgress + 1;
        if (passesWithoutProgress >= kSendPassesWithoutProgress) {
            return kTransportFailure;
        }
        if (taken == 0 && *remaining > 0) {
            calls.pause(kTransportRetryPause);
        }
    }
    return kResultOk;
}

std::int32_t sendSpooled(QDXA_Info& info, const std::uint8_t* data, std::uint32_t* remaining) {
    const TransportCalls& calls = transportCalls().current();
    int passesWithoutProgress = 0;
    while (*remaining > 0) {
        std::uint32_t taken = *remaining;
        const std::int32_t status = calls.agencyJobSend(info.jobHandle, data, &taken);
        if (status != kIOSAgencyNoErr) {
            return status == kIOSAgencyErrDiskFull ? kResultSpoolDiskFull : kTransportFailure;
        }
        taken = std::min(taken, *remaining);
        data += taken;
        *remaining -= taken;
        passesWithoutProgress = taken > 0 ? 0 : passesWithoutProgress + 1;
        if (passesWithoutProgress >= kSendPassesWithoutProgress) {
            return kTransportFailure;
        }
    }
    return kResultOk;
}

}  // namespace

std::int32_t PLG_IOS_JobSend(QDXA_Info* info, const std::uint8_t* data, std::uint32_t* length,
                             bool last) {
    if (info == nullptr || length == nullptr) {
        return kTransportFailure;
    }
    const bool spooled = info->spool != 0;
    if (*length == 0) {
        return kResultOk;
    }
    std::int32_t result = kTransportFailure;
    if (info->jobHandle != nullptr && data != nullptr) {
        result = spooled ? sendSpooled(*info, data, length) : sendDirect(*info, data, length, last);
    }
    return spooled && result == kTransportFailure ? kResultJobNotOpened : result;
}
