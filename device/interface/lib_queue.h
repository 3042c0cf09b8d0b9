// The operation queue of shared USB printers as the library interface reaches it.
//
// A USB printer is served by one process at a time, its queue owner, whose administration
// thread runs the queued administration requests of every process. The job and administration
// functions start and stop queuing, put requests into the queue and wait for their answers, and
// pause the owner's thread around job transfers. Every function returns a library status; the
// device lock of the view is held by the caller of start and stop.
//
// The queue is reached through this layer's seam, in which tests put a double.
#pragma once

#include <cstdint>
#include <string>

#include "address/printer_address.h"
#include "registry/lib_device_info.h"
#include "registry/lib_operation_task.h"
#include "seam/seam.h"
#include "ticket/ticket_library.h"

/// Operation types of the queue.
inline constexpr std::uint32_t kLibQueueGet = kCLibOperationGet;
inline constexpr std::uint32_t kLibQueueSet = kCLibOperationSet;
inline constexpr std::uint32_t kLibQueueControl = kCLibOperationControl;
inline constexpr std::uint32_t kLibQueueStop = kCLibOperationStop;

struct LibQueueLayer {
    /// Makes this process the queue owner when no live owner exists; with `registerUse`
    /// counts one more of this process's contexts on the printer.
    std::uint32_t (*startQueuing)(CLibDeviceInfo* device, CLibPrinterAddress* address,
                                  bool registerUse);
    /// Counts one context fewer; the last one stops the owner's thread.
    std::uint32_t (*stopQueuing)(CLibDeviceInfo* device, CLibPrinterAddress* address);
    /// Puts an operation with its tickets into the queue; `identifier` receives its task id.
    std::uint32_t (*enqueue)(std::uint32_t type, CLibDeviceInfo* device, TktLibTicket* input,
                             TktLibTicket* output, double* identifier);
    /// Waits for the operation's completion and merges its answer into `response` (if given);
    /// the operation's own status.
    std::uint32_t (*waitForTaskComplete)(CLibDeviceInfo* device, TktLibTicket* response,
                                         double identifier);
    /// Pauses or resumes this process's administration thread for the printer; false when there
    /// is none or it does not answer.
    bool (*pauseAdminThread)(const std::string& deviceURI);
    bool (*resumeAdminThread)(const std::string& deviceURI);
};

/// The library's own queue operations.
std::uint32_t LocalStartQueuing(CLibDeviceInfo* device, CLibPrinterAddress* address,
                                bool registerUse);
std::uint32_t LocalStopQueuing(CLibDeviceInfo* device, CLibPrinterAddress* address);
std::uint32_t LocalEnqueue(std::uint32_t type, CLibDeviceInfo* device, TktLibTicket* input,
                           TktLibTicket* output, double* identifier);
std::uint32_t LocalWaitForTaskComplete(CLibDeviceInfo* device, TktLibTicket* response,
                                       double identifier);
bool LocalPauseAdminThread(const std::string& deviceURI);
bool LocalResumeAdminThread(const std::string& deviceURI);

/// The seam of the queue: the library's own operations unless a test overrides them with a
/// seam::ScopedOverride.
seam::Seam<LibQueueLayer>& libQueueSeam();
