// Test support of the job transport: the device library's job calls and the spooling framework
// answering from a script, a progress object that records what it is shown and cancels on
// request, and a packet record wired to both.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "rastercore/progress.h"
#include "record/qdxa_info.h"
#include "transport/print_monitor.h"
#include "transport/transport_calls.h"

namespace transporttest {

/// One answer of a scripted call: its status, the detail it reports and, for a send, the bytes
/// it takes (all that were offered unless told).
struct Answer {
    std::uint32_t status = 0;
    std::uint32_t detail = 0;
    std::int64_t taken = -1;
};

/// The printer put the call off: nothing was taken.
inline Answer offline(std::uint32_t detail) {
    return {10501, detail, 0};
}
inline Answer busy() {
    return {10502, 0, 0};
}

/// Puts scripted job calls, recorders of the administration, address and spooling calls and of
/// the pause, and a recording monitor launcher in place while it lives. Each call takes the next
/// answer of its script; the last answer repeats; an empty script answers 0.
class ScriptedTransport {
  public:
    ScriptedTransport() {
        calls_.jobOpen = [this](void** job, void*, void*, std::uint32_t* detail) {
            log.push_back("open");
            const Answer answer = next(openAnswers);
            *detail = answer.detail;
            *job = answer.status == 0 ? &jobToken_ : nullptr;
            return answer.status;
        };
        calls_.jobSend = [this](void*, const void* data, std::uint32_t* length, std::uint8_t,
                                std::uint32_t* detail) {
            log.push_back("send");
            return take(next(sendAnswers), data, length, detail);
        };
        calls_.jobClose = [this](void*, std::uint8_t cancelled, std::uint32_t* detail) {
            log.push_back(cancelled != 0 ? "close(cancelled)" : "close");
            const Answer answer = next(closeAnswers);
            *detail = answer.detail;
            return answer.status;
        };
        calls_.adminOpen = [this](void**, void*) {
            log.push_back("adminOpen");
            return std::uint32_t{22998};
        };
        calls_.agencyJobOpen = [this](void** job, void*, const char* name, std::uint16_t copies,
                                      const char* comment, std::uint8_t singleJob) {
            log.push_back("agencyOpen " + std::string(name) + "/" + std::to_string(copies) + "/" +
                          comment + "/" + std::to_string(singleJob));
            const Answer answer = next(openAnswers);
            *job = answer.status == 0 ? &jobToken_ : nullptr;
            return static_cast<std::int32_t>(answer.status);
        };
        calls_.agencyJobSend = [this](void*, const void* data, std::uint32_t* length) {
            log.push_back("agencySend");
            std::uint32_t detail = 0;
            return static_cast<std::int32_t>(take(next(sendAnswers), data, length, &detail));
        };
        calls_.agencyJobClose = [this](void*, std::uint8_t cancelled) {
            log.push_back(cancelled != 0 ? "agencyClose(cancelled)" : "agencyClose");
            return 0;
        };
        calls_.setPrintMonitorPrinter = [this](void*) {
            log.push_back("monitorPrinter");
            return std::uint32_t{0};
        };
        calls_.pause = [this](std::chrono::milliseconds wait) {
            EXPECT_GT(wait.count(), 0);
            ++pauses;
        };
        launcher_.runningProcessPaths = [this] { return runningProcesses; };
        launcher_.launch = [this](const std::string& command) {
            log.push_back("launch");
            launched.push_back(command);
            return 0;
        };
    }
    ScriptedTransport(const ScriptedTransport&) = delete;
    ScriptedTransport& operator=(const ScriptedTransport&) = delete;

    std::deque<Answer> openAnswers;
    std::deque<Answer> sendAnswers;
    std::deque<Answer> closeAnswers;

    std::vector<std::string> log;  ///< every call, in order
    std::string sent;              ///< the bytes the sends took, in order
    int pauses = 0;
    std::vector<std::string> runningProcesses;
    std::vector<std::string> launched;

    int count(const std::string& call) const {
        int n = 0;
        for (const std::string& entry : log) {
            n += entry == call ? 1 : 0;
        }
        return n;
    }

  private:
    static Answer next(std::deque<Answer>& script) {
        if (script.empty()) {
            return {};
        }
        const Answer answer = script.front();
        if (script.size() > 1) {
            script.pop_front();
        }
        return answer;
    }

    std::uint32_t take(const Answer& answer, const void* data, std::uint32_t* length,
                       std::uint32_t* detail) {
        if (answer.taken >= 0 && answer.taken < *length) {
            *length = static_cast<std::uint32_t>(answer.taken);
        }
        sent.append(static_cast<const char*>(data), *length);
        *detail = answer.detail;
        return answer.status;
    }

    char jobToken_ = 0;
    TransportCalls calls_ = transportCalls().production();
    PrintMonitorLauncher launcher_ = printMonitorLauncher().production();
    seam::ScopedOverride<TransportCalls> callsOverride_{transportCalls(), calls_};
    seam::ScopedOverride<PrintMonitorLauncher> launcherOverride_{printMonitorLauncher(), launcher_};
};

/// The image editor's progress window: records the status messages and the cancel polls, and
/// answers cancel from the poll `cancelAtPoll` on (counted from 1; 0 never).
class RecordingProgress : public rastercore::ProgressObject {
  public:
    bool idleProgress() override { return poll(); }
    bool idleProgressJobOpen() override {
        ++jobOpenPolls;
        return poll();
    }
    void setProgressValue(int) override {}
    void setStatusMessage(int message) override { statuses.push_back(message); }

    int cancelAtPoll = 0;
    int polls = 0;
    int jobOpenPolls = 0;
    std::vector<int> statuses;

  private:
    bool poll() {
        ++polls;
        return cancelAtPoll != 0 && polls >= cancelAtPoll;
    }
};

/// A packet record of an image-editor job on a printer address, direct unless told.
inline QDXA_Info transportRecord(RecordingProgress& progress, bool spooled = false) {
    static char address = 0;
    QDXA_Info info{};
    info.hostType = 1;
    info.progress = &progress;
    info.printerAddress = &address;
    info.spool = spooled ? 1 : 0;
    return info;
}

}  // namespace transporttest
