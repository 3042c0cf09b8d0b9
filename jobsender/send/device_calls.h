// The device library's job calls as the job sender makes them, behind a seam so that tests can
// answer them from a script.
#pragma once

#include <cstdint>
#include <functional>

#include "seam/seam.h"

namespace jobsender {

struct SenderDeviceCalls {
    std::function<std::uint32_t(void** job, void* address, void* options, std::uint32_t* subCode)>
        jobOpen;
    std::function<std::uint32_t(void* job, const void* data, std::uint32_t* length,
                                std::uint8_t lastBlock, std::uint32_t* subCode)>
        jobSend;
    std::function<std::uint32_t(void* job, std::uint8_t cancel, std::uint32_t* subCode)> jobClose;
};

/// IOS_JobOpen, IOS_JobSend and IOS_JobClose unless a test put its own calls in place.
seam::Seam<SenderDeviceCalls>& senderDeviceCalls();

}  // namespace jobsender
