// The job list: the queue, the trash, and "JobList".
#include "job/job_list.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "IOSProxyKit/ios_agency.h"
#include "bytes/byte_order.h"
#include "cf/file_replace.h"
#include "cf/regular_file.h"

namespace jobsender {
namespace {

constexpr const char* kJobListFile = "JobList";
constexpr const char* kJobInfoFile = "JobInfo";
constexpr std::size_t kIdBytes = 4;

std::optional<std::filesystem::path> rootFolder() {
    char root[kIOSAgencyPathBufferSize] = {};
    if (IOS_Agency_GetRootSpoolFolder(root) != kIOSAgencyNoErr) {
        return std::nullopt;
    }
    return std::filesystem::path(fieldText(root, sizeof(root)));
}

std::optional<std::filesystem::path> jobFolder(std::uint32_t id) {
    char folder[kIOSAgencyPathBufferSize] = {};
    if (IOS_Agency_GetSpoolFolder(id, folder) != kIOSAgencyNoErr) {
        return std::nullopt;
    }
    return std::filesystem::path(fieldText(folder, sizeof(folder)));
}

void deleteChain(CLocalJob* job) {
    while (job != nullptr) {
        CLocalJob* next = job->GetNextObj();
        delete job;
        job = next;
    }
}

}  // namespace

CJobList::~CJobList() {
    deleteChain(queueHead_);
    deleteChain(trashHead_);
}

bool CJobList::AddNewJob(std::uint32_t id, std::uint8_t making) {
    if (GetObjectFromID(id) != nullptr) {
        return false;
    }
    auto* job = new CLocalJob(id);
    job->SetIsJobMake(making);
    if (making == 0) {
        job->CalculationFileSize();
    }
    append(job);
    return true;
}

void CJobList::append(CLocalJob* job) {
    job->SetNextObj(nullptr);
    if (queueTail_ != nullptr) {
        queueTail_->SetNextObj(job);
    } else {
        queueHead_ = job;
    }
    queueTail_ = job;
}

void CJobList::DeleteJob(std::uint32_t id) {
    CLocalJob* before = nullptr;
    CLocalJob* job = queueHead_;
    while (job != nullptr && job->GetJobID() != id) {
        before = job;
        job = job->GetNextObj();
    }
    if (job == nullptr) {
        return;
    }
    if (before != nullptr) {
        before->SetNextObj(job->GetNextObj());
    } else {
        queueHead_ = job->GetNextObj();
    }
    if (queueTail_ == job) {
        queueTail_ = before;
    }
    job->SetNextObj(trashHead_);
    trashHead_ = job;
}

CLocalJob* CJobList::GetObjectFromID(std::uint32_t id) const {
    for (CLocalJob* head : {queueHead_, trashHead_}) {
        for (CLocalJob* job = head; job != nullptr; job = job->GetNextObj()) {
            if (job->GetJobID() == id) {
                return job;
            }
        }
    }
    return nullptr;
}

void CJobList::UpdateTrashJob(double now) {
    CLocalJob* before = nullptr;
    CLocalJob* job = trashHead_;
    while (job != nullptr) {
        CLocalJob* next = job->GetNextObj();
        const bool inUse = job->GetIsJobMake() != 0 || job->GetIsJobSend() != 0;
        if (inUse || now < job->GetNextRemoval()) {
            before = job;
        } else if (job->DeleteSpoolFolder() || job->GetRemovalAttempts() + 1 >= kRemovalAttempts) {
            if (before != nullptr) {
                before->SetNextObj(next);
            } else {
                trashHead_ = next;
            }
            delete job;
        } else {
            job->SetRemovalRetry(job->GetRemovalAttempts() + 1, now + kRemovalRetrySeconds);
            before = job;
        }
        job = next;
    }
}

bool CJobList::SaveJobList() {
    const auto root = rootFolder();
    if (!root) {
        return false;
    }
    std::vector<std::uint8_t> bytes;
    bytes::ByteWriter out(bytes);
    ForEachQueuedJob([&](CLocalJob& job) { out.u32be(job.GetJobID()); });
    return cf::replaceFile(*root / kJobListFile, bytes);
}

// A "JobList" that is no regular file of a sane size is read as none: nothing is loaded and
// nothing written, so that a pipe or a device at its name never holds the program.
bool CJobList::LoadJobList(double now) {
    const auto root = rootFolder();
    std::vector<std::uint8_t> bytes;
    if (!root || cf::readRegularFile(*root / kJobListFile, kMaxLoadedJobs * kIdBytes, bytes) !=
                     cf::FileReadStatus::Ok) {
        return false;
    }
    for (std::size_t offset = 0; offset + kIdBytes <= bytes.size(); offset += kIdBytes) {
        const std::uint32_t id = bytes::loadBE32(bytes.data() + offset);
        const auto folder = jobFolder(id);
        if (!folder) {
            continue;  // the job's folder is gone: so is the job
        }
        std::uint32_t state = 0;
        const bool stateRead = IOS_Agency_ReadJobFileState(
                                   &state, (*folder / kJobInfoFile).c_str()) == kIOSAgencyNoErr;
        if (!AddNewJob(id, 1)) {
            continue;
        }
        CLocalJob* job = queueTail_;
        if (!stateRead) {
            job->SetIsJobMake(0);
            job->SetJobFileState(kJobFileBroken);
            job->CalculationFileSize();
        } else if (state == kIOSAgencyJobBeingWritten) {
            job->JobTimeOutCheck(now);
        } else if (state == kIOSAgencyJobComplete) {
            job->SetIsJobMake(0);
            job->CalculationFileSize();
        } else {
            job->SetIsJobMake(0);
            DeleteJob(id);
        }
    }
    SaveJobList();
    return true;
}

void CJobList::ForEachQueuedJob(const std::function<void(CLocalJob&)>& visit) const {
    for (CLocalJob* job = queueHead_; job != nullptr; job = job->GetNextObj()) {
        visit(*job);
    }
}

std::vector<CLocalJob*> CJobList::JobsBeingWritten() const {
    std::vector<CLocalJob*> jobs;
    for (CLocalJob* head : {queueHead_, trashHead_}) {
        for (CLocalJob* job = head; job != nullptr; job = job->GetNextObj()) {
            if (job->GetIsJobMake() == 1) {
                jobs.push_back(job);
            }
        }
    }
    return jobs;
}

}  // namespace jobsender
