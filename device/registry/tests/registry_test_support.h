// Test support for the registry: a private work directory and group per test, and child
// processes bounded by time-outs.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

#include "registry/attach_ledger.h"
#include "registry/shared_memory.h"
#include "support/temporary_folder.h"

namespace registrytest {

using namespace std::chrono_literals;

/// Points the caches and home folders at a temporary folder and picks a group name of this
/// process alone, so runs in parallel and a real user's registry never meet. The group's shared
/// memory blocks are unlinked when the object goes.
class PrivateWorkDirectory {
  public:
    PrivateWorkDirectory()
        : group_("RegistryTest." + std::to_string(::getpid()) + "." + std::to_string(counter()++)) {
        ::setenv("STRATOLINE_CACHES", (folder_.path() / "caches").c_str(), 1);
        ::setenv("HOME", (folder_.path() / "home").c_str(), 1);
        ::unsetenv("STRATOLINE_DOVO_SHM_PREFIX");
    }
    ~PrivateWorkDirectory() {
        device::SharedMemoryMapping::unlink(device::SharedMemoryName(group_));
        device::SharedMemoryMapping::unlink(device::AttachLedgerName(group_));
    }
    PrivateWorkDirectory(const PrivateWorkDirectory&) = delete;
    PrivateWorkDirectory& operator=(const PrivateWorkDirectory&) = delete;

    const std::string& group() const { return group_; }
    const std::filesystem::path& path() const { return folder_.path(); }
    /// The base folder of the group off the sandbox.
    std::filesystem::path base() const { return folder_.path() / "caches/Orvane/TARN" / group_; }

  private:
    static std::atomic<int>& counter() {
        static std::atomic<int> value{0};
        return value;
    }

    testsupport::TemporaryFolder folder_;
    std::string group_;
};

/// A one-way byte channel between a parent and a child; reads are bounded.
class Pipe {
  public:
    Pipe() {
        if (::pipe(ends_) != 0) {
            ends_[0] = ends_[1] = -1;
        }
    }
    ~Pipe() {
        closeRead();
        closeWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    bool send(char byte) { return ::write(ends_[1], &byte, 1) == 1; }
    /// The next byte, or 0 when none arrives within `timeout` or the writer closed.
    char receive(std::chrono::milliseconds timeout = 10s) {
        pollfd entry{ends_[0], POLLIN, 0};
        char byte = 0;
        if (::poll(&entry, 1, static_cast<int>(timeout.count())) == 1 &&
            ::read(ends_[0], &byte, 1) == 1) {
            return byte;
        }
        return 0;
    }
    void closeRead() { closeEnd(0); }
    void closeWrite() { closeEnd(1); }

  private:
    void closeEnd(int which) {
        if (ends_[which] >= 0) {
            ::close(ends_[which]);
            ends_[which] = -1;
        }
    }
    int ends_[2];
};

/// Runs `body` in a child process, which exits with the body's result; the child's pid.
template <class Body>
pid_t runChild(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(body());
    }
    return pid;
}

/// In a child: tells the parent it is ready, then waits to be killed.
inline int reportReadyAndWaitForKill(Pipe& ready) {
    ready.send('R');
    ::pause();
    return 0;
}

/// A child that does nothing but run until it is killed; returns once it runs.
inline pid_t runIdleChild() {
    Pipe ready;
    const pid_t pid = runChild([&] { return reportReadyAndWaitForKill(ready); });
    ready.receive();
    return pid;
}

/// Waits up to `timeout` for the child and reaps it; a child still running then is killed.
/// Its exit status, or -1 when it was killed or did not exit normally.
inline int waitChild(pid_t pid, std::chrono::milliseconds timeout = 20s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(5ms);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

/// Kills the child and reaps it, so its pid names no process afterwards.
inline void killChild(pid_t pid) {
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
}

/// A u32 that parent and children share, standing in for an owner field of the block.
class SharedOwnerField {
  public:
    SharedOwnerField()
        : value_(static_cast<std::uint32_t*>(::mmap(nullptr, sizeof(std::uint32_t),
                                                    PROT_READ | PROT_WRITE,
                                                    MAP_SHARED | MAP_ANONYMOUS, -1, 0))) {}
    ~SharedOwnerField() { ::munmap(value_, sizeof(std::uint32_t)); }
    SharedOwnerField(const SharedOwnerField&) = delete;
    SharedOwnerField& operator=(const SharedOwnerField&) = delete;

    std::uint32_t* get() const { return value_; }

  private:
    std::uint32_t* value_;
};

inline std::uint32_t thisProcess() {
    return static_cast<std::uint32_t>(::getpid());
}

}  // namespace registrytest
