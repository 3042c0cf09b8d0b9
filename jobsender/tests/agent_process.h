// The JobSenderAgent program run by a test, in the test's environment, and waits on it.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>

#include "events/event_socket.h"
#include "protocol/job_sender_client.h"
#include "protocol/job_sender_events.h"
#include "spool_folder.h"

namespace sendertest {

/// Waits for `done` to hold, checking every 10 ms, at most `limit`.
inline bool waitFor(const std::function<bool()>& done,
                    std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

/// The socket of the job sender of the spool folder in use.
inline std::filesystem::path agentSocket() {
    return jobsender::jobSenderSocket(spool::rootSpoolFolder()).value_or("");
}

/// Sends an event to the running job sender; its reply, or nothing.
inline std::optional<events::Event> tellAgent(const events::Event& event) {
    events::Event reply;
    const auto status =
        events::sendEvent(agentSocket(), event, &reply, std::chrono::milliseconds(10000));
    if (status != events::SendStatus::kOk) {
        return std::nullopt;
    }
    return reply;
}

/// The job list of the running job sender, or nothing.
inline std::optional<jobsender::JobListReply> agentJobList() {
    const auto reply = tellAgent(jobsender::getInfoEvent());
    return reply ? jobsender::readJobList(*reply) : std::nullopt;
}

/// Waits until nothing listens on the job sender's socket any more.
inline bool waitForAgentEnd() {
    return waitFor([] {
        return events::sendEvent(agentSocket(), jobsender::openApplicationEvent(std::nullopt),
                                 nullptr, std::chrono::milliseconds(1000)) ==
               events::SendStatus::kNoListener;
    });
}

/// Ends the job sender that listens on the socket, whoever started it (its process is found
/// through the socket's peer credentials).
inline void endAnyAgent() {
    const auto address = agentSocket();
    const int connection = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un peer{};
    peer.sun_family = AF_UNIX;
    std::strncpy(peer.sun_path, address.c_str(), sizeof(peer.sun_path) - 1);
    ucred credentials{};
    socklen_t size = sizeof(credentials);
    if (::connect(connection, reinterpret_cast<const sockaddr*>(&peer), sizeof(peer)) == 0 &&
        ::getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 &&
        credentials.pid > 0) {
        ::kill(credentials.pid, SIGTERM);
    }
    ::close(connection);
    waitForAgentEnd();
}

/// Runs the program until it is killed, terminated or ends; it is ended when this object is.
class AgentProcess {
  public:
    AgentProcess() { start(); }
    ~AgentProcess() { terminate(); }
    AgentProcess(const AgentProcess&) = delete;
    AgentProcess& operator=(const AgentProcess&) = delete;

    void start() {
        pid_ = ::fork();
        if (pid_ == 0) {
            const char* program = JOBSENDER_AGENT;
            ::execl(program, program, static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ASSERT_GT(pid_, 0);
        ASSERT_TRUE(waitFor([] { return agentJobList().has_value(); }))
            << "the job sender does not answer";
    }

    void kill() {
        ::kill(pid_, SIGKILL);
        reap();
    }

    /// Ends it with SIGTERM; its exit status, or -1.
    int terminate() {
        if (pid_ <= 0) {
            return -1;
        }
        ::kill(pid_, SIGTERM);
        return reap();
    }

    /// Waits for it to end by itself; its exit status, or -1 when it did not end in time.
    int waitForExit() {
        int status = -1;
        const bool ended = waitFor([&] { return ::waitpid(pid_, &status, WNOHANG) == pid_; });
        if (!ended) {
            return -1;
        }
        pid_ = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    int reap() {
        int status = 0;
        if (!waitFor([&] { return ::waitpid(pid_, &status, WNOHANG) == pid_; })) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
        }
        pid_ = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    pid_t pid_ = 0;
};

}  // namespace sendertest
