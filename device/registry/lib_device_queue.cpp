// The operation queue and the complete list of a printer's record.
//
// Queued requests travel as ticket files: the requester writes both tickets to the request
// folder and names them in its queue slot; the queue owner's thread reads and deletes them, and
// writes the answer to the response folder, named in a complete slot. The queue slots are
// touched under the record's queue lock, the complete slots under its complete-list lock; no
// operation holds both.

#include <chrono>
#include <cstring>
#include <thread>

#include "registry/lib_device_info.h"
#include "registry/lib_settings.h"
#include "registry/ticket_file.h"
#include "registry/work_directory.h"

namespace {

// Seconds from 1970-01-01 to 2001-01-01, the epoch of task identifiers.
constexpr double kSeconds1970To2001 = 978307200.0;

double secondsSince2001() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration<double>(now).count() - kSeconds1970To2001;
}

// A lock of the record taken with dead-owner recovery, released when the scope ends.
class RecordLock {
  public:
    RecordLock(CLibLock& lock, std::uint32_t& owner)
        : lock_(lock),
          status_(CLibDeviceInfo::errorForLockError(lock.lockWithOwnerReference(&owner))) {}
    ~RecordLock() {
        if (status_ == kCLibDeviceInfoNoErr) {
            lock_.unlock();
        }
    }
    RecordLock(const RecordLock&) = delete;
    RecordLock& operator=(const RecordLock&) = delete;

    std::uint32_t status() const { return status_; }

  private:
    CLibLock& lock_;
    std::uint32_t status_;
};

void setName(char (&field)[kSharedStringSize], const std::string& name) {
    std::memset(field, 0, sizeof field);
    std::memcpy(field, name.data(), std::min(name.size(), kSharedStringSize - 1));
}

void clearSlot(QueueSlot& slot) {
    slot.taskIdentifier = 0.0;
    slot.operationType = 0;
    std::memset(slot.inputTicketName, 0, sizeof slot.inputTicketName);
    std::memset(slot.outputTicketName, 0, sizeof slot.outputTicketName);
}

bool needsTickets(std::uint32_t type) {
    return type == kCLibOperationGet || type == kCLibOperationSet || type == kCLibOperationControl;
}

// Removes slot `index` of the queue: the later slots move up and the last is cleared.
void removeQueueSlot(SharedDeviceRecord& record, std::size_t index) {
    for (std::size_t i = index; i + 1 < kSharedQueueSlotCount; ++i) {
        record.queue[i] = record.queue[i + 1];
    }
    clearSlot(record.queue[kSharedQueueSlotCount - 1]);
}

}  // namespace

std::uint32_t CLibDeviceInfo::enqueueOperationWithType(std::uint32_t type,
                                                       const TktLibTicket* inputTicket,
                                                       const TktLibTicket* outputTicket,
                                                       double* identifier) {
    const bool withTickets = inputTicket != nullptr && outputTicket != nullptr;
    if (identifier == nullptr || (needsTickets(type) && !withTickets)) {
        return kCLibDeviceInfoParamErr;
    }
    *identifier = 0.0;
    RecordLock lock(*queueLock_, contents_->queueLockOwner);
    if (lock.status() != kCLibDeviceInfoNoErr) {
        return lock.status();
    }
    // Taken under the lock, which its holders keep for far longer than the clock's resolution:
    // two enqueues never get the same identifier.
    const double task = secondsSince2001();
    QueueSlot* slot = nullptr;
    for (QueueSlot& candidate : contents_->queue) {
        if (candidate.taskIdentifier == 0.0) {
            slot = &candidate;
            break;
        }
    }
    if (slot == nullptr) {
        return kCLibDeviceInfoQueueFull;
    }
    std::string inputName;
    std::string outputName;
    if (withTickets) {
        const auto folder = ticketDirectoryURLForRequest();
        if (!folder) {
            return kCLibDeviceInfoWriteErr;
        }
        inputName = device::TicketFileName(device::TicketFileKind::Input, task);
        outputName = device::TicketFileName(device::TicketFileKind::Output, task);
        std::uint32_t status = device::WriteTicketFile(*folder, inputName, inputTicket);
        if (status == kCLibDeviceInfoNoErr) {
            status = device::WriteTicketFile(*folder, outputName, outputTicket);
        }
        if (status != kCLibDeviceInfoNoErr) {
            device::RemoveTicketFile(folder, inputName);
            return status;
        }
    }
    clearSlot(*slot);
    slot->taskIdentifier = task;
    slot->operationType = type;
    setName(slot->inputTicketName, inputName);
    setName(slot->outputTicketName, outputName);
    *identifier = task;
    return kCLibDeviceInfoNoErr;
}

std::uint32_t CLibDeviceInfo::dequeueOperation(std::unique_ptr<CLibOperationTask>& operation) {
    operation.reset();
    RecordLock lock(*queueLock_, contents_->queueLockOwner);
    if (lock.status() != kCLibDeviceInfoNoErr) {
        return lock.status();
    }
    const QueueSlot head = contents_->queue[0];
    if (head.taskIdentifier == 0.0) {
        return kCLibDeviceInfoQueueEmpty;
    }
    const std::string inputName = device::SharedString(head.inputTicketName);
    const std::string outputName = device::SharedString(head.outputTicketName);
    const auto folder = ticketDirectoryURLForRequest();
    device::OwnedTicket input;
    device::OwnedTicket output;
    if (!inputName.empty() && !outputName.empty()) {
        bool inputMissing = false;
        bool outputMissing = false;
        std::uint32_t status = folder
                                   ? device::ReadTicketFile(*folder, inputName, input, inputMissing)
                                   : kCLibDeviceInfoOtherErr;
        if (status == kCLibDeviceInfoNoErr) {
            status = device::ReadTicketFile(*folder, outputName, output, outputMissing);
        }
        if (status != kCLibDeviceInfoNoErr && !(inputMissing || outputMissing)) {
            // Unreadable for now: behind the others, to be tried again when it is the head.
            removeQueueSlot(*contents_, 0);
            for (QueueSlot& slot : contents_->queue) {
                if (slot.taskIdentifier == 0.0) {
                    slot = head;
                    break;
                }
            }
            return status;
        }
        if (status != kCLibDeviceInfoNoErr) {
            input.reset();  // lost: it is answered without tickets
            output.reset();
        }
    }
    operation = std::make_unique<CLibOperationTask>(head.taskIdentifier, head.operationType,
                                                    std::move(input), std::move(output));
    removeQueueSlot(*contents_, 0);
    device::RemoveTicketFile(folder, inputName);
    device::RemoveTicketFile(folder, outputName);
    return kCLibDeviceInfoNoErr;
}

bool CLibDeviceInfo::removeOperationWithIdentifier(double identifier) {
    RecordLock lock(*queueLock_, contents_->queueLockOwner);
    if (lock.status() != kCLibDeviceInfoNoErr) {
        return false;
    }
    for (std::size_t i = 0; i < kSharedQueueSlotCount; ++i) {
        const QueueSlot& slot = contents_->queue[i];
        if (slot.taskIdentifier != 0.0 && slot.taskIdentifier == identifier) {
            const auto folder = ticketDirectoryURLForRequest();
            device::RemoveTicketFile(folder, device::SharedString(slot.inputTicketName));
            device::RemoveTicketFile(folder, device::SharedString(slot.outputTicketName));
            removeQueueSlot(*contents_, i);
            return true;
        }
    }
    return false;
}

std::uint32_t CLibDeviceInfo::addCompleteTask(const CLibCompleteTask& task) {
    RecordLock lock(*completeListLock_, contents_->completeListLockOwner);
    if (lock.status() != kCLibDeviceInfoNoErr) {
        return lock.status();
    }
    const auto folder = ticketDirectoryURLForResponse();
    // Answers whose requesters gave up would otherwise hold their slots for good.
    const double oldest = secondsSince2001() - kCompletionLifetime;
    for (CompleteSlot& slot : contents_->completeList) {
        if (slot.slot.taskIdentifier != 0.0 && slot.slot.taskIdentifier < oldest) {
            device::RemoveTicketFile(folder, device::SharedString(slot.slot.outputTicketName));
            clearSlot(slot.slot);
            slot.result = 0;
        }
    }
    CompleteSlot* free = nullptr;
    for (CompleteSlot& slot : contents_->completeList) {
        if (slot.slot.taskIdentifier == 0.0) {
            free = &slot;
            break;
        }
    }
    if (free == nullptr) {
        return kCLibDeviceInfoCompleteListFull;
    }
    std::string outputName;
    if (task.outputTicket() != nullptr) {
        if (!folder) {
            return kCLibDeviceInfoWriteErr;
        }
        outputName = device::TicketFileName(device::TicketFileKind::Output, task.identifier());
        if (const std::uint32_t status =
                device::WriteTicketFile(*folder, outputName, task.outputTicket());
            status != kCLibDeviceInfoNoErr) {
            return status;
        }
    }
    clearSlot(free->slot);
    free->slot.taskIdentifier = task.identifier();
    free->slot.operationType = task.type();
    setName(free->slot.outputTicketName, outputName);
    free->result = task.error();
    return kCLibDeviceInfoNoErr;
}

std::uint32_t CLibDeviceInfo::waitForCompleteTaskWithIdentifier(
    double identifier, std::unique_ptr<CLibCompleteTask>& task) {
    task.reset();
    if (identifier == 0.0) {
        return kCLibDeviceInfoParamErr;
    }
    const auto start = std::chrono::steady_clock::now();
    const std::chrono::duration<double> retry(
        CLibSettings::sharedSettings().waitForCompleteTaskRetryInterval());
    for (;;) {
        std::uint32_t kept = kCLibDeviceInfoNoErr;
        {
            RecordLock lock(*completeListLock_, contents_->completeListLockOwner);
            if (lock.status() != kCLibDeviceInfoNoErr) {
                return lock.status();
            }
            for (CompleteSlot& slot : contents_->completeList) {
                if (slot.slot.taskIdentifier != identifier) {
                    continue;
                }
                const std::string outputName = device::SharedString(slot.slot.outputTicketName);
                const auto folder = ticketDirectoryURLForResponse();
                device::OwnedTicket output;
                if (!outputName.empty()) {
                    bool missing = false;
                    kept = folder ? device::ReadTicketFile(*folder, outputName, output, missing)
                                  : kCLibDeviceInfoOtherErr;
                }
                if (kept == kCLibDeviceInfoNoErr) {
                    task = std::make_unique<CLibCompleteTask>(std::make_unique<CLibOperationTask>(
                        identifier, slot.slot.operationType, nullptr, std::move(output)));
                    task->setError(slot.result);
                    clearSlot(slot.slot);
                    slot.result = 0;
                    device::RemoveTicketFile(folder, outputName);
                    return kCLibDeviceInfoNoErr;
                }
                break;
            }
        }
        std::this_thread::sleep_for(retry);
        if (kept != kCLibDeviceInfoNoErr) {
            return kept;
        }
        if (std::chrono::steady_clock::now() - start >=
            std::chrono::duration<double>(kCompletionWait)) {
            return kCLibDeviceInfoNoCompletion;
        }
    }
}
