// The application object: its life, the processing loop, the idle quit, the quit confirmation
// and the stopped state.
#include "app/app_main.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "IOSProxyKit/ios_agency.h"
#include "bytes/byte_order.h"
#include "cf/file_replace.h"
#include "cf/folders.h"
#include "cf/regular_file.h"

namespace jobsender {
namespace {

constexpr std::uint32_t kStateStopped = 1;
constexpr std::uint32_t kStateRunning = 0;

std::optional<std::filesystem::path> applicationStateFile() {
    char root[kIOSAgencyPathBufferSize] = {};
    if (IOS_Agency_GetRootSpoolFolder(root) != kIOSAgencyNoErr) {
        return std::nullopt;
    }
    return std::filesystem::path(fieldText(root, sizeof(root))) / kApplicationStateFile;
}

}  // namespace

CAppMain::CAppMain(events::EventDispatcher& dispatcher, AppServices& services)
    : services_(services) {
    installHandlers(dispatcher);
    jobList_ = std::make_unique<CJobList>();
    qdxaSender_ = std::make_unique<CJobSendQDXA>();
    sender_ = qdxaSender_.get();
    const double now = services_.now();
    jobList_->LoadJobList(now);
    endAbandonedWritings();
    LoadApplicationState();
    lastActive_ = now;
    lastTimeOutScan_ = now;
}

CAppMain::~CAppMain() {
    qdxaSender_.reset();
    jobList_.reset();
}

std::chrono::milliseconds CAppMain::JobProcessing() {
    CLocalJob* job = sender_->GetSendingJob();
    if (sender_->GetStopFlag() == 0 && job == nullptr) {
        job = jobList_->GetSendJob();
        if (job != nullptr) {
            if (job->GetJobType() != sender_->GetJobType()) {
                sender_ = qdxaSender_.get();
            }
            sender_->SetSendingJob(job);
        }
    }
    if (sender_->SendData() != 0) {
        SaveApplicationState();
    }
    // The job's data is awaited: a writer that died would keep it waiting for good.
    if (job != nullptr && job->GetIsJobSend() == 1 && sender_->GetWaitFlag() == 1) {
        endWritingWhenWriterGone(*job);
    }
    if (job != nullptr && job->GetIsJobFinish() == 1 && job->GetIsJobSend() == 0) {
        jobList_->DeleteJob(job->GetJobID());
        jobList_->SaveJobList();
    }
    const double now = services_.now();
    jobList_->UpdateTrashJob(now);
    checkIdleQuit();
    if (now - lastTimeOutScan_ > kTimeOutScanSeconds) {
        endAbandonedWritings();
        jobList_->ForEachQueuedJob([now](CLocalJob& queued) { queued.JobTimeOutCheck(now); });
        lastTimeOutScan_ = now;
    }
    const bool atOnce = job != nullptr && sender_->GetWaitFlag() == 0;
    return atOnce ? std::chrono::milliseconds{0} : kIdleCycle;
}

void CAppMain::endJobWriting(CLocalJob& job, bool cancelled) {
    job.SetIsJobMake(0);
    job.CalculationFileSize();
    if (!cancelled) {
        return;
    }
    if (job.GetIsJobSend() == 1) {
        sender_->DeleteCurrentJob();
    } else {
        jobList_->DeleteJob(job.GetJobID());
        jobList_->SaveJobList();
    }
}

void CAppMain::endWritingWhenWriterGone(CLocalJob& job) {
    if (!job.IsWriterGone()) {
        return;
    }
    std::uint32_t state = 0;
    job.ReadJobStateFromInfo(&state);
    endJobWriting(job, state != kIOSAgencyJobComplete);
}

// Listed first: ending a writing moves jobs between the lists.
void CAppMain::endAbandonedWritings() {
    for (CLocalJob* job : jobList_->JobsBeingWritten()) {
        endWritingWhenWriterGone(*job);
    }
}

// The program has no windows, so only the idle time decides.
void CAppMain::checkIdleQuit() {
    const double now = services_.now();
    if (jobList_->IsNecessityWait()) {
        lastActive_ = now;
        return;
    }
    std::error_code error;
    const bool dialogOpen =
        std::filesystem::exists(cf::Folders::temporary() / kPlugInStateFile, error);
    const double limit = dialogOpen ? kIdleQuitWithDialogSeconds : kIdleQuitSeconds;
    if (now - lastActive_ > limit) {
        services_.requestTermination();
    }
}

bool CAppMain::shouldQuit() {
    if (jobList_->GetSendJob() == nullptr) {
        return true;
    }
    return services_.runQuitAlert(services_.localizedString("Alert_Info"),
                                  services_.localizedString("Alert_OK"),
                                  services_.localizedString("Alert_Cancel"));
}

// Replaced whole, never removed first: a failed write keeps the state saved before.
bool CAppMain::SaveApplicationState() {
    const auto file = applicationStateFile();
    if (!file) {
        return false;
    }
    std::uint8_t state[4];
    bytes::storeBE32(state, sender_->GetStopFlag() == 1 ? kStateStopped : kStateRunning);
    return cf::replaceFile(*file, state);
}

// Up to 4 bytes of a regular file: a pipe or a device at its name is no state.
void CAppMain::LoadApplicationState() {
    const auto file = applicationStateFile();
    if (!file) {
        return;
    }
    const cf::RegularFile in(*file);
    std::uint8_t state[4] = {};
    const auto length =
        static_cast<std::size_t>(std::min<std::uintmax_t>(in.size(), sizeof(state)));
    if (!in.isOpen() || !in.readExactly(state, length)) {
        return;
    }
    if (bytes::loadBE32(state) == kStateStopped) {
        sender_->StopCurrentJob();
    } else {
        sender_->RestertJob();
    }
}

}  // namespace jobsender
