// A writer of a spooled job in a child process of the test, killed with SIGKILL in the middle of
// its job as a print that is killed, or stopped by a full disk or a file-size limit, would be.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

#include "IOSProxyKit/ios_agency.h"
#include "spool_folder.h"

namespace spooltest {

class WriterProcess {
  public:
    /// Starts the child: it opens a job for `printerAddress` in the spool folder of the test's
    /// environment, appends `data`, reports the job's id and waits, its job open, until it is
    /// killed (or the test ends).
    WriterProcess(void* printerAddress, const std::vector<std::uint8_t>& data) {
        int report[2] = {-1, -1};
        int hold[2] = {-1, -1};
        if (::pipe2(report, O_CLOEXEC) != 0 || ::pipe2(hold, O_CLOEXEC) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(report[0]);
            ::close(hold[1]);
            runChild(printerAddress, data, report[1], hold[0]);
        }
        ::close(report[1]);
        ::close(hold[0]);
        hold_ = hold[1];
        if (pid_ > 0) {
            id_ = readReport(report[0]);
        }
        ::close(report[0]);
    }
    ~WriterProcess() {
        kill();
        if (hold_ >= 0) {
            ::close(hold_);
        }
    }
    WriterProcess(const WriterProcess&) = delete;
    WriterProcess& operator=(const WriterProcess&) = delete;

    /// The id of the child's job; 0 when it could not open it.
    std::uint32_t id() const { return id_; }

    /// Kills the child with SIGKILL in the middle of its job and waits for it.
    void kill() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            int status = 0;
            ::waitpid(pid_, &status, 0);
            pid_ = 0;
        }
    }

  private:
    /// How long the child may take to open its job and write.
    static constexpr int kReportMilliseconds = 20000;

    [[noreturn]] static void runChild(void* printerAddress, const std::vector<std::uint8_t>& data,
                                      int report, int hold) {
        void* job = nullptr;
        std::uint32_t id = 0;
        auto length = static_cast<std::uint32_t>(data.size());
        if (IOS_Agency_JobOpen(&job, printerAddress, "dies.tif", 1, "", 0) == kIOSAgencyNoErr &&
            IOS_Agency_JobSend(job, data.data(), &length) == kIOSAgencyNoErr) {
            const auto ids = spool::readJobList(spool::rootSpoolFolder());
            id = ids.empty() ? 0 : ids.back();
        }
        if (::write(report, &id, sizeof id) == sizeof id) {
            char nothing = 0;
            while (::read(hold, &nothing, 1) < 0) {  // until the test ends
            }
        }
        ::_exit(0);
    }

    static std::uint32_t readReport(int report) {
        pollfd ready{report, POLLIN, 0};
        std::uint32_t id = 0;
        if (::poll(&ready, 1, kReportMilliseconds) != 1 ||
            ::read(report, &id, sizeof id) != sizeof id) {
            return 0;
        }
        return id;
    }

    pid_t pid_ = 0;
    int hold_ = -1;
    std::uint32_t id_ = 0;
};

}  // namespace spooltest
