// jobsender-ctl: lists the job sender's queue, stops and restarts it, and deletes jobs.
//
// jobsender-ctl list
//     the queue, head first (the job being sent first)
// jobsender-ctl stop
//     stops the queue (starting the job sender stopped if it is not running)
// jobsender-ctl restart
//     restarts the queue (starting the job sender if it is not running)
// jobsender-ctl delete ID
//     deletes a job; the job being sent is stopped first, and a second delete removes it
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "IOSProxyKit/ios_agency.h"
#include "protocol/job_sender_client.h"
#include "protocol/job_sender_events.h"

namespace {

using namespace jobsender;

constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;
constexpr int kExitUnreachable = 2;
constexpr int kExitNotRunning = 3;
constexpr std::chrono::milliseconds kReplyWait{10000};

const char* stateName(std::uint32_t state) {
    static const char* const kNames[] = {"being written",           "waiting",
                                         "sending (being written)", "sending",
                                         "printer status",          "error"};
    return state < std::size(kNames) ? kNames[state] : "unknown";
}

int usage() {
    std::fprintf(stderr, "usage: jobsender-ctl list | stop | restart | delete ID\n");
    return kExitUsage;
}

int failure(events::SendStatus status) {
    if (status == events::SendStatus::kNoListener) {
        std::fprintf(stderr, "jobsender-ctl: the job sender is not running\n");
        return kExitNotRunning;
    }
    std::fprintf(stderr, "jobsender-ctl: the job sender cannot be reached\n");
    return kExitUnreachable;
}

int list(const std::filesystem::path& root) {
    events::Event reply;
    const auto status = sendToJobSender(root, getInfoEvent(), &reply, kReplyWait, false);
    if (status != events::SendStatus::kOk) {
        return failure(status);
    }
    const auto jobs = readJobList(reply);
    if (!jobs) {
        std::fprintf(stderr, "jobsender-ctl: the job sender's answer cannot be read\n");
        return kExitUnreachable;
    }
    std::printf("queue: %s\n", jobs->stopped ? "stopped" : "running");
    std::printf("ID\tSTATE\tPROGRESS\tCOPIES\tNAME\tPRINTER\tCOMMENT\n");
    for (const JobEntry& job : jobs->jobs) {
        const std::string progress = job.progress < 0 ? "-" : std::to_string(job.progress) + "%";
        std::printf("%u\t%s\t%s\t%u\t%s\t%s\t%s\n", job.jobID, stateName(job.state),
                    progress.c_str(), job.copies, job.jobName.c_str(), job.printerName.c_str(),
                    job.comment.c_str());
    }
    return kExitOk;
}

// A running job sender is told; one that does not run is started with the launch flag.
int control(const std::filesystem::path& root, const events::Event& event, std::int32_t flags) {
    auto status = sendToJobSender(root, event, nullptr, kReplyWait, false);
    if (status == events::SendStatus::kNoListener) {
        status = sendToJobSender(root, openApplicationEvent(flags), nullptr, kReplyWait, true);
    }
    return status == events::SendStatus::kOk ? kExitOk : failure(status);
}

int remove(const std::filesystem::path& root, std::string_view idText) {
    char* end = nullptr;
    const std::string text(idText);
    const unsigned long long id = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || text[0] == '-' || id > UINT32_MAX) {
        return usage();
    }
    const auto status = sendToJobSender(root, deleteJobEvent(static_cast<std::uint32_t>(id)),
                                        nullptr, kReplyWait, true);
    return status == events::SendStatus::kOk ? kExitOk : failure(status);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return usage();
    }
    char root[kIOSAgencyPathBufferSize] = {};
    if (IOS_Agency_GetRootSpoolFolder(root) != kIOSAgencyNoErr) {
        std::fprintf(stderr, "jobsender-ctl: no root spool folder\n");
        return kExitUnreachable;
    }
    const std::filesystem::path spoolRoot(fieldText(root, sizeof(root)));
    const std::string_view command = argv[1];
    if (command == "list" && argc == 2) {
        return list(spoolRoot);
    }
    if (command == "stop" && argc == 2) {
        return control(spoolRoot, stopEvent(), kLaunchStopQueue);
    }
    if (command == "restart" && argc == 2) {
        return control(spoolRoot, restartEvent(), kLaunchRestartQueue);
    }
    if (command == "delete" && argc == 3) {
        return remove(spoolRoot, argv[2]);
    }
    return usage();
}
