// What the job transport calls outside the core: the device library's job, administration and
// address functions, the job-spooling framework, and the pause between two tries. Production
// binds them to the libraries themselves; tests put scripted doubles in place through the seam
// and forward the rest to production. Tickets and arrays are plain data and are called directly.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "seam/seam.h"

struct TransportCalls {
    // Device library: print jobs (statuses of DovoCommonLib/ios_status.h).
    std::function<std::uint32_t(void** job, void* address, void* options, std::uint32_t* detail)>
        jobOpen;
    std::function<std::uint32_t(void* job, const void* data, std::uint32_t* length,
                                std::uint8_t last, std::uint32_t* detail)>
        jobSend;
    std::function<std::uint32_t(void* job, std::uint8_t cancelled, std::uint32_t* detail)> jobClose;

    // Device library: administration contexts.
    std::function<std::uint32_t(void** context, void* address)> adminOpen;
    std::function<std::uint32_t(void* context, void* request, void* answer)> adminGetInfo;
    std::function<std::uint32_t(void* context, void* request, void* answer)> adminControlInfo;
    std::function<std::uint32_t(void* context)> adminClose;

    // Device library: printer addresses and the print monitor's printer.
    std::function<std::uint32_t(const char* kind, const char* name, const char* service,
                                const char* domain, void** address)>
        printerAddressCreate;
    std::function<std::uint32_t(void* address)> printerAddressDispose;
    std::function<std::uint32_t(void* address)> setPrintMonitorPrinter;

    // The job-spooling framework (0 success, any other value failure).
    std::function<std::int32_t(void** job, void* address, const char* documentName,
                               std::uint16_t copies, const char* comment, std::uint8_t singleJob)>
        agencyJobOpen;
    std::function<std::int32_t(void* job, const void* data, std::uint32_t* length)> agencyJobSend;
    std::function<std::int32_t(void* job, std::uint8_t cancelled)> agencyJobClose;

    /// Waits before the next try of an operation that the printer put off.
    std::function<void(std::chrono::milliseconds)> pause;
};

/// The libraries themselves, and a real sleep.
const TransportCalls& coreTransportCalls();

/// The calls the job transport makes through.
seam::Seam<TransportCalls>& transportCalls();
