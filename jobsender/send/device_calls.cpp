// The device library's job calls.
#include "send/device_calls.h"

#include "DovoCommonLib/ios_library.h"

namespace jobsender {

seam::Seam<SenderDeviceCalls>& senderDeviceCalls() {
    static const SenderDeviceCalls production{
        .jobOpen = IOS_JobOpen,
        .jobSend = IOS_JobSend,
        .jobClose = IOS_JobClose,
    };
    static seam::Seam<SenderDeviceCalls> seam(production);
    return seam;
}

}  // namespace jobsender
