// An operation queue that records what the library interface asks of it and answers from a
// script. While a RecordingQueue lives, USB printers' queues run on it: starting makes this
// process the printer's queue owner in the registry, and the last stop clears it again.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "interface/lib_queue.h"
#include "interface/tests/scripted_printer_status.h"

namespace interfacetest {

class RecordingQueue {
  public:
    RecordingQueue() { current() = this; }
    RecordingQueue(const RecordingQueue&) = delete;
    RecordingQueue& operator=(const RecordingQueue&) = delete;
    ~RecordingQueue() { current() = nullptr; }

    // The script.
    std::uint32_t startStatus = 0;
    std::deque<std::uint32_t> stopStatuses;  ///< in turn; 0 once used up
    std::uint32_t enqueueStatus = 0;
    std::uint32_t waitStatus = 0;
    bool pauseWorks = true;
    StatusAnswer answer;  ///< what the queue owner's thread writes into a queued request's answer

    // What happened: "start 1", "start 0", "stop", "enqueue <type>", "wait", "pause", "resume".
    std::vector<std::string> calls;

    std::vector<std::string> takeCalls() { return std::exchange(calls, {}); }

  private:
    static RecordingQueue*& current() {
        static RecordingQueue* queue = nullptr;
        return queue;
    }

    static std::uint32_t start(CLibDeviceInfo* device, CLibPrinterAddress*, bool registerUse) {
        RecordingQueue& q = *current();
        q.calls.push_back(registerUse ? "start 1" : "start 0");
        if (q.startStatus != 0) {
            return q.startStatus;
        }
        if (!device->queueOwnerExists()) {
            device->setQueueOwner();
        }
        q.users_[device->identifier()] += registerUse ? 1 : 0;
        return 0;
    }
    static std::uint32_t stop(CLibDeviceInfo* device, CLibPrinterAddress*) {
        RecordingQueue& q = *current();
        q.calls.push_back("stop");
        if (!q.stopStatuses.empty()) {
            const std::uint32_t status = q.stopStatuses.front();
            q.stopStatuses.pop_front();
            if (status != 0) {
                return status;
            }
        }
        if (--q.users_[device->identifier()] == 0) {
            device->clearQueueOwner();
        }
        return 0;
    }
    static std::uint32_t enqueue(std::uint32_t type, CLibDeviceInfo*, TktLibTicket* input,
                                 TktLibTicket*, double* identifier) {
        RecordingQueue& q = *current();
        q.calls.push_back("enqueue " + std::to_string(type));
        q.request_ = input;
        *identifier = 1.0;
        return q.enqueueStatus;
    }
    static std::uint32_t wait(CLibDeviceInfo*, TktLibTicket* response, double) {
        RecordingQueue& q = *current();
        q.calls.push_back("wait");
        if (q.waitStatus != 0) {
            return q.waitStatus;
        }
        if (response != nullptr) {
            writeStatusAnswer(q.answer, *q.request_, *response);
        }
        return 0;
    }
    static bool pause(const std::string&) {
        current()->calls.push_back("pause");
        return current()->pauseWorks;
    }
    static bool resume(const std::string&) {
        current()->calls.push_back("resume");
        return true;
    }

    static constexpr LibQueueLayer kLayer{start, stop, enqueue, wait, pause, resume};

    std::map<std::string, int> users_;
    const TktLibTicket* request_ = nullptr;
    seam::ScopedOverride<LibQueueLayer> override_{libQueueSeam(), kLayer};
};

}  // namespace interfacetest
