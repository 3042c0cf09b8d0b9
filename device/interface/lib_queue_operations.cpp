// The operation queue as the job and administration functions use it: starting and stopping
// queuing, enqueueing requests, waiting for their answers, pausing the owner's thread.
#include <unistd.h>

#include "DovoCommonLib/ios_status.h"
#include "interface/lib_admin_thread.h"
#include "interface/lib_error.h"
#include "interface/lib_queue.h"
#include "interface/lib_state.h"
#include "ticket/ticket_error.h"

namespace {

CLibAdminThread* adminThreadFor(const std::string& deviceURI) {
    auto& entries = LibProcessState().multiDeviceControlInfo;
    const auto found = entries.find(deviceURI);
    return found != entries.end() ? found->second.adminThread.get() : nullptr;
}

bool thisProcessOwnsTheQueue(const CLibDeviceInfo& device) {
    return device.contents()->queueOwner == static_cast<std::uint32_t>(::getpid());
}

}  // namespace

std::uint32_t LocalStartQueuing(CLibDeviceInfo* device, CLibPrinterAddress* address,
                                bool registerUse) {
    if (device == nullptr || address == nullptr) {
        return kIOS_ErrParam;
    }
    LibState& state = LibProcessState();
    const std::string uri = device->identifier();
    if (device->queueOwnerExists()) {
        if (registerUse) {
            ++state.multiDeviceControlInfo[uri].portCount;
        }
        return kIOS_NoErr;
    }
    // No owner, or the owner has died: this process serves the queue from now on, including the
    // operations already waiting in it.
    std::shared_ptr<CLibAdminThread> thread =
        CLibAdminThread::initWithDeviceInfo(device->clone(), address, &state.setUp);
    if (!thread) {
        return kIOS_ErrMemory;
    }
    if (const std::uint32_t status = thread->start(); status != kIOS_NoErr) {
        return status;
    }
    device->setQueueOwner();
    DeviceControlEntry& entry = state.multiDeviceControlInfo[uri];
    entry.adminThread = std::move(thread);
    if (registerUse) {
        ++entry.portCount;
    }
    return kIOS_NoErr;
}

std::uint32_t LocalStopQueuing(CLibDeviceInfo* device, CLibPrinterAddress*) {
    if (device == nullptr) {
        return kIOS_ErrParam;
    }
    auto& entries = LibProcessState().multiDeviceControlInfo;
    const auto found = entries.find(device->identifier());
    if (found == entries.end()) {
        return kIOS_NoErr;
    }
    DeviceControlEntry& entry = found->second;
    if (entry.portCount > 1) {
        --entry.portCount;
        return kIOS_NoErr;
    }
    if (entry.adminThread) {
        // The stop goes behind every waiting operation: the thread serves them all first.
        double identifier = 0;
        std::uint32_t status = LocalEnqueue(kLibQueueStop, device, nullptr, nullptr, &identifier);
        if (status == kIOS_NoErr) {
            status = LocalWaitForTaskComplete(device, nullptr, identifier);
        }
        entry.adminThread->abort();
        if (status != kIOS_NoErr) {
            // The thread has ended all the same: its stop must not wait for a next owner, and
            // the owner field must not name a process that serves nothing, or no process would
            // ever start a thread again.
            if (identifier != 0) {
                device->removeOperationWithIdentifier(identifier);
            }
            entry.adminThread.reset();
            if (thisProcessOwnsTheQueue(*device)) {
                device->clearQueueOwner();
            }
            return status;
        }
        if (thisProcessOwnsTheQueue(*device)) {
            device->clearQueueOwner();
        }
    }
    entries.erase(found);
    return kIOS_NoErr;
}

std::uint32_t LocalEnqueue(std::uint32_t type, CLibDeviceInfo* device, TktLibTicket* input,
                           TktLibTicket* output, double* identifier) {
    if (device == nullptr || identifier == nullptr) {
        return kIOS_ErrParam;
    }
    return LocalConvertDeviceInfoError(
        device->enqueueOperationWithType(type, input, output, identifier));
}

std::uint32_t LocalWaitForTaskComplete(CLibDeviceInfo* device, TktLibTicket* response,
                                       double identifier) {
    if (device == nullptr) {
        return kIOS_ErrParam;
    }
    std::unique_ptr<CLibCompleteTask> task;
    if (const std::uint32_t status = device->waitForCompleteTaskWithIdentifier(identifier, task);
        status != kCLibDeviceInfoNoErr) {
        return LocalConvertDeviceInfoError(status);
    }
    if (task->error() != kIOS_NoErr || response == nullptr || task->outputTicket() == nullptr) {
        return task->error();
    }
    return ConvertTktLibError(TktLibMergeTicket(response, task->outputTicket()));
}

bool LocalPauseAdminThread(const std::string& deviceURI) {
    CLibAdminThread* thread = adminThreadFor(deviceURI);
    return thread != nullptr && thread->pause();
}

bool LocalResumeAdminThread(const std::string& deviceURI) {
    CLibAdminThread* thread = adminThreadFor(deviceURI);
    return thread != nullptr && thread->resume();
}
