// Opening a job: directly on the printer, or in the spooling framework.
#include <cstring>
#include <string>

#include "DovoCommonLib/ios_status.h"
#include "IOSProxyKit/ios_agency.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "transport/job_transport.h"
#include "transport/print_monitor.h"
#include "transport/transport_calls.h"
#include "transport/transport_status.h"

namespace {

using namespace rastercore;

constexpr std::int32_t kModelYes = 1;

std::int32_t openDirect(QDXA_Info& info) {
    const TransportCalls& calls = transportCalls().current();
    for (;;) {
        void* job = nullptr;
        std::uint32_t detail = 0;
        const std::uint32_t status = calls.jobOpen(&job, info.printerAddress, nullptr, &detail);
        if (status == kIOS_NoErr && job != nullptr) {
            info.jobHandle = job;
            showTransportStatus(info, kProgressStatusPrinting);
            return kResultOk;
        }
        if (status != kIOS_ErrOffline && status != kIOS_ErrBusy) {
            return transportCancelled(info, CancelPoll::Normal) ? kResultCancelled
                                                                : kTransportFailure;
        }
        if (status == kIOS_ErrOffline) {
            showTransportStatus(info, statusForOfflineDetail(detail));
        }
        if (transportCancelled(info, CancelPoll::JobOpen)) {
            return kResultCancelled;
        }
        calls.pause(kTransportRetryPause);
    }
}

/// A text field of the record, bounded by its size even without a terminator.
template <std::size_t Size>
std::string fieldText(const char (&field)[Size]) {
    return std::string(field, strnlen(field, Size));
}

std::int32_t openSpooled(QDXA_Info& info) {
    const bool singleJob = info.context != nullptr && info.context->modelTable.HDD == kModelYes;
    void* job = nullptr;
    const std::int32_t status = transportCalls().current().agencyJobOpen(
        &job, info.printerAddress, fieldText(info.spoolDocumentName).c_str(), info.spoolCopies,
        fieldText(info.spoolComment).c_str(), singleJob ? 1 : 0);
    if (status == 0 && job != nullptr) {
        info.jobHandle = job;
        launchPrintMonitor(nullptr, info.printerAddress);
    }
    showTransportStatus(info, kProgressStatusSpooling);
    if (info.jobHandle != nullptr) {
        return kResultOk;
    }
    return status == kIOSAgencyErrDiskFull ? kResultSpoolDiskFull : kResultJobNotOpened;
}

}  // namespace

std::int32_t PLG_IOS_JobOpen(QDXA_Info* info) {
    if (info == nullptr) {
        return kResultJobNotOpened;
    }
    info->jobHandle = nullptr;
    if (info->spool != 0) {
        return openSpooled(*info);
    }
    const std::int32_t result = openDirect(*info);
    return result == kTransportFailure ? kResultJobNotOpened : result;
}
