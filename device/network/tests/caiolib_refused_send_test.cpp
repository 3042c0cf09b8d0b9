// A send that the system refuses with EPERM (a packet filter's verdict) fails the write with the
// transport code for EPERM; the library runs inside its host and never ends that process.
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>

#include "network_fixture.h"

namespace networktest {
namespace {

constexpr std::uint16_t kRawPort = 9102;
constexpr std::int32_t kNotPermitted = 0x1000 | 1;  // 4097
constexpr int kChildPassed = 0;
constexpr int kChildFailed = 1;
constexpr int kChildCannotFilter = 77;

// From here on every sendto of this process fails with EPERM; send() is sendto underneath.
bool refuseEverySend() {
    sock_filter program[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_sendto, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EPERM & SECCOMP_RET_DATA)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog filter{static_cast<unsigned short>(std::size(program)), program};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
}

// A child forked while this process has no other thread (forking beside the printer's threads
// could copy a lock that one of them holds). Once told the printer's address it opens that
// address in `mode`, refuses sends and writes once; its exit status tells what the write
// reported. A child that the library ended would not exit normally with one of those statuses.
class RefusedWriter {
  public:
    explicit RefusedWriter(std::int32_t mode) {
        int ends[2];
        if (::pipe(ends) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ends[1]);
            ::_exit(writeRefused(ends[0], mode));
        }
        ::close(ends[0]);
        toChild_ = ends[1];
    }

    /// A child never run is told nothing, so it ends at once; it is reaped either way.
    ~RefusedWriter() {
        if (toChild_ >= 0) {
            ::close(toChild_);
        }
        if (pid_ > 0) {
            ::waitpid(pid_, nullptr, 0);
        }
    }
    RefusedWriter(const RefusedWriter&) = delete;
    RefusedWriter& operator=(const RefusedWriter&) = delete;

    /// Sends the address, lets the child run and waits for it; its exit status, or -1.
    int run(const std::string& address) {
        if (pid_ <= 0) {
            return -1;
        }
        const std::string line = address + '\n';
        const bool sent =
            ::write(toChild_, line.data(), line.size()) == static_cast<ssize_t>(line.size());
        ::close(toChild_);
        toChild_ = -1;
        int status = 0;
        const pid_t reaped = ::waitpid(pid_, &status, 0);
        pid_ = -1;
        if (reaped <= 0) {
            return -1;
        }
        return sent && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    static int writeRefused(int fromParent, std::int32_t mode) {
        // The address ends at a line end: later children hold copies of this pipe's write end,
        // so no end of file would come.
        char address[256] = {};
        std::size_t length = 0;
        char byte = 0;
        while (length + 1 < sizeof address && ::read(fromParent, &byte, 1) == 1 && byte != '\n') {
            address[length++] = byte;
        }
        if (byte != '\n' || length == 0) {
            return kChildFailed;
        }
        Handle handle = makeHandle(address);
        if (caiolibOpen(handle.get(), mode, kRawPort, 1, nullptr, nullptr, 500) != kCaioNoErr) {
            return kChildFailed;
        }
        if (!refuseEverySend()) {
            return kChildCannotFilter;
        }
        std::uint64_t count = 4;
        const std::int32_t status = caiolibWrite(handle.get(), mode, "data", &count, 100);
        return status == kNotPermitted && count == 0 ? kChildPassed : kChildFailed;
    }

    pid_t pid_ = -1;
    int toChild_ = -1;
};

class RefusedSend : public PrinterTest {};

TEST_F(RefusedSend, FailsTheWriteWithoutEndingTheProcess) {
    const std::int32_t modes[] = {kCaioModeJobData, kCaioModeControlDatagram,
                                  kCaioModeControlStream};
    // Destroyed last first: a later child holds copies of the earlier children's pipes.
    RefusedWriter writers[] = {RefusedWriter(modes[0]), RefusedWriter(modes[1]),
                               RefusedWriter(modes[2])};
    testsupport::TestPrinterOptions options;
    options.rawPort = kRawPort;
    startPrinter(options);
    for (std::size_t index = 0; index < std::size(writers); ++index) {
        SCOPED_TRACE("mode " + std::to_string(modes[index]));
        const int exitStatus = writers[index].run(printer().address());
        if (exitStatus == kChildCannotFilter) {
            GTEST_SKIP() << "this system lets no process filter its own system calls";
        }
        EXPECT_EQ(exitStatus, kChildPassed);
    }
}

}  // namespace
}  // namespace networktest
