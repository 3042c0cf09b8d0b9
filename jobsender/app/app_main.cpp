// The application object: its life, the processing loop, the idle quit, the quit confirmation
// and the stopped state.
#include "app/app_main.h"

#include <filesystem>
#include <fstream>
#include <optional>

#include "IOSProxyKit/ios_agency.h"
#include "bytes/byte_order.h"
#include "cf/file_replace.h"
#include "cf/folders.h"

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
    if (job != nullptr && job->GetIsJobFinish() == 1 && job->GetIsJobSend() == 0) {
        jobList_->DeleteJob(job->GetJobID());
        jobList_->SaveJobList();
    }
    const double now = services_.now();
    jobList_->UpdateTrashJob(now);
    checkIdleQuit();
    if (now - lastTimeOutScan_ > kTimeOutScanSeconds) {
        jobList_->ForEachQueuedJob([now](CLocalJob& queued) { queued.JobTimeOutCheck(now); });
        lastTimeOutScan_ = now;
    }
    const bool atOnce = job != nullptr && sender_->GetWaitFlag() == 0;
    return atOnce ? std::chrono::milliseconds{0} : kIdleCycle;
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

void CAppMain::LoadApplicationState() {
    const auto file = applicationStateFile();
    if (!file) {
        return;
    }
    std::ifstream in(*file, std::ios::binary);
    if (!in) {
        return;
    }
    std::uint8_t state[4] = {};
    in.read(reinterpret_cast<char*>(state), sizeof(state));
    if (bytes::loadBE32(state) == kStateStopped) {
        sender_->StopCurrentJob();
    } else {
        sender_->RestertJob();
    }
}

}  // namespace jobsender
