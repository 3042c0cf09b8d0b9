// Reaching the job sender, and starting it.
#include "job_sender_client.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "cf/folders.h"
#include "events/process_launch.h"

namespace jobsender {
namespace {

constexpr std::chrono::milliseconds kStartPoll{20};

// FNV-1a, 64 bits: a short, stable name for a folder path.
std::uint64_t pathHash(const std::string& text) {
    constexpr std::uint64_t kOffsetBasis = 14695981039346656037ull;
    constexpr std::uint64_t kPrime = 1099511628211ull;
    std::uint64_t hash = kOffsetBasis;
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * kPrime;
    }
    return hash;
}

}  // namespace

std::optional<std::filesystem::path> jobSenderSocket(const std::filesystem::path& spoolRoot) {
    const auto folder = events::socketFolder();
    if (!folder) {
        return std::nullopt;
    }
    std::error_code error;
    std::filesystem::path root = std::filesystem::weakly_canonical(spoolRoot, error);
    if (error) {
        root = spoolRoot.lexically_normal();
    }
    std::string text = root.string();
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    char name[64];
    std::snprintf(name, sizeof(name), "JobSenderAgent-%016llx.socket",
                  static_cast<unsigned long long>(pathHash(text)));
    return *folder / name;
}

std::optional<std::filesystem::path> jobSenderProgram() {
    if (const char* program = std::getenv(kProgramVariable)) {
        if (program[0] == '\0') {
            return std::nullopt;
        }
        return std::filesystem::path(program);
    }
    return cf::Folders::driverRoot() / kProgramUnderDriverRoot;
}

events::SendStatus sendToJobSender(const std::filesystem::path& spoolRoot,
                                   const events::Event& event, events::Event* reply,
                                   std::chrono::milliseconds timeout, bool start) {
    const auto socket = jobSenderSocket(spoolRoot);
    if (!socket) {
        return events::SendStatus::kFailed;
    }
    events::SendStatus status = events::sendEvent(*socket, event, reply, timeout);
    const auto program = jobSenderProgram();
    if (status != events::SendStatus::kNoListener || !start || !program ||
        events::launchDetached(*program, {}) != 0) {
        return status;
    }
    const auto deadline = std::chrono::steady_clock::now() + kStartWait;
    while (status == events::SendStatus::kNoListener &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(kStartPoll);
        status = events::sendEvent(*socket, event, reply, timeout);
    }
    return status;
}

}  // namespace jobsender
