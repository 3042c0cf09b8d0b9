// Status messages and cancel polls of the job transport.
#include "transport/transport_status.h"

#include <chrono>

#include "record/qdxa_info.h"

namespace {

constexpr std::uint32_t kDetailNone = 0;
constexpr std::uint32_t kDetailOffline = 1001;
constexpr std::uint32_t kDetailAnotherUser = 1011;

}  // namespace

double secondsSinceReferenceDate() {
    constexpr double kReferenceDateUnixSeconds = 978307200.0;
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch())
               .count() -
           kReferenceDateUnixSeconds;
}

rastercore::ProgressStatus statusForOfflineDetail(std::uint32_t detail) {
    if (detail == kDetailNone || detail == kDetailOffline) {
        return rastercore::kProgressStatusOffline;
    }
    return detail == kDetailAnotherUser ? rastercore::kProgressStatusAnotherUser
                                        : rastercore::kProgressStatusPrinterError;
}

void showTransportStatus(const QDXA_Info& info, rastercore::ProgressStatus status) {
    sendStatusMessage(info.hostType, info.progress, status);
}

bool transportCancelled(QDXA_Info& info, CancelPoll mode) {
    info.lastCancelPoll = secondsSinceReferenceDate();
    return pollCancel(info.hostType, info.progress, info.cancelByte, mode);
}
