// The operation queue of shared USB printers is not built yet: no process becomes a queue
// owner, and nothing can be queued.
#include "DovoCommonLib/ios_status.h"
#include "interface/lib_queue.h"

std::uint32_t LocalStartQueuing(CLibDeviceInfo*, CLibPrinterAddress*, bool) {
    return kIOS_ErrInternal;
}

std::uint32_t LocalStopQueuing(CLibDeviceInfo*, CLibPrinterAddress*) {
    return kIOS_ErrInternal;
}

std::uint32_t LocalEnqueue(std::uint32_t, CLibDeviceInfo*, TktLibTicket*, TktLibTicket*,
                           double* identifier) {
    if (identifier != nullptr) {
        *identifier = 0;
    }
    return kIOS_ErrInternal;
}

std::uint32_t LocalWaitForTaskComplete(CLibDeviceInfo*, TktLibTicket*, double) {
    return kIOS_ErrInternal;
}

bool LocalPauseAdminThread(const std::string&) {
    return false;
}

bool LocalResumeAdminThread(const std::string&) {
    return false;
}
