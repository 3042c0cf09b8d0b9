// A spooled job: what it reads at construction, its state and progress, its time-out and the
// removal of its spool folder.
#include "job/local_job.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "DovoCommonLib/ios_printer_address.h"
#include "IOSProxyKit/ios_agency.h"
#include "job/folder_trash.h"

namespace jobsender {
namespace {

constexpr const char* kPrinterAddressFile = "printerAddress";
constexpr const char* kJobInfoFile = "JobInfo";
constexpr const char* kJobDataFile = "JobData";
constexpr float kPercent = 100.0f;
/// What ReadJobStateFromInfo gives when there is no "JobInfo": neither being written nor complete.
constexpr std::uint32_t kNoJobInfoState = 2;

/// The file system refuses a removal for a lock or a permission: the folder goes to the trash.
bool isLockingError(const std::error_code& error) {
    return error == std::errc::operation_not_permitted || error == std::errc::permission_denied;
}

}  // namespace

CLocalJob::CLocalJob(std::uint32_t jobID) : jobID_(jobID) {
    char folder[kIOSAgencyPathBufferSize] = {};
    if (IOS_Agency_GetSpoolFolder(jobID, folder) != kIOSAgencyNoErr) {
        return;
    }
    spoolFolder_ = jobsender::fieldText(folder, sizeof(folder));
    if (IOS_ReadPrinterAddressFromFile(&printerAddress_, spoolFile(kPrinterAddressFile).c_str()) !=
        kIOS_NoErr) {
        printerAddress_ = nullptr;
        return;
    }
    if (IOS_Agency_ReadJobInfoFromFile(jobName_, &copies_, comment_,
                                       spoolFile(kJobInfoFile).c_str()) != kIOSAgencyNoErr) {
        return;
    }
    jobName_[kTextFieldBytes - 1] = '\0';
    comment_[kTextFieldBytes - 1] = '\0';
    if (IOS_GetPrinterName(printerAddress_, printerName_) != kIOS_NoErr) {
        std::fill(std::begin(printerName_), std::end(printerName_), '\0');
    }
    printerName_[kTextFieldBytes - 1] = '\0';
}

CLocalJob::~CLocalJob() {
    CloseFile();
    IOS_PrinterAddressDispose(printerAddress_);
}

std::uint32_t CLocalJob::GetState() {
    if (jobFileState_ != 0) {
        return kStateError;
    }
    if (isJobSend_ == 1) {
        if (statusCode_ != 0) {
            return kStatePrinterStatus;
        }
        return isJobMake_ == 1 ? kStateSendingWritten : kStateSending;
    }
    return isJobMake_ == 1 ? kStateWritten : kStateWaiting;
}

// (S × 100 / F) / C + N × 100 / C in single precision, truncated; an empty file or no copies
// leave nothing to measure by, and the result never leaves 0 to 100.
std::int32_t CLocalJob::GetProgress() {
    if (isJobMake_ == 1) {
        return -1;
    }
    if (fileSize_ <= 0 || copies_ == 0) {
        return 0;
    }
    const float copies = static_cast<float>(copies_);
    const float progress =
        (static_cast<float>(sendSize_) * kPercent / static_cast<float>(fileSize_)) / copies +
        static_cast<float>(outputNum_) * kPercent / copies;
    return static_cast<std::int32_t>(std::clamp(std::trunc(progress), 0.0f, kPercent));
}

bool CLocalJob::DeleteSpoolFolder() {
    CloseFile();
    if (spoolFolder_.empty()) {
        return true;
    }
    std::error_code ignored;
    for (const char* name : {kPrinterAddressFile, kJobDataFile, kJobInfoFile}) {
        std::filesystem::remove(spoolFile(name), ignored);
    }
    std::error_code error;
    std::filesystem::remove_all(spoolFolder_, error);
    if (error && isLockingError(error)) {
        IOS_Utl_MoveTrashFolder(spoolFolder_.c_str());
    }
    return !std::filesystem::exists(std::filesystem::symlink_status(spoolFolder_, ignored));
}

std::uint32_t CLocalJob::GetJobType() {
    return kJobTypeQDXA;
}

bool CLocalJob::ReadSingleJobFlagFromInfo(std::uint32_t* flag) {
    *flag = 0;
    const std::string info = spoolFile(kJobInfoFile);
    std::error_code error;
    if (spoolFolder_.empty() || !std::filesystem::exists(info, error)) {
        return false;
    }
    if (IOS_Agency_ReadSingleJob(flag, info.c_str()) != kIOSAgencyNoErr) {
        *flag = 0;
    }
    return true;
}

bool CLocalJob::ReadJobStateFromInfo(std::uint32_t* state) {
    *state = kNoJobInfoState;
    const std::string info = spoolFile(kJobInfoFile);
    std::error_code error;
    if (spoolFolder_.empty() || !std::filesystem::exists(info, error)) {
        return false;
    }
    if (IOS_Agency_ReadJobFileState(state, info.c_str()) != kIOSAgencyNoErr) {
        *state = kNoJobInfoState;
    }
    return true;
}

bool CLocalJob::IsWriterGone() {
    std::uint32_t writer = kIOSAgencyWriterUnknown;
    return isJobMake_ == 1 && !spoolFolder_.empty() &&
           IOS_Agency_ReadJobWriter(&writer, spoolFolder_.c_str()) == kIOSAgencyNoErr &&
           writer == kIOSAgencyWriterGone;
}

bool CLocalJob::JobTimeOutCheck(double now) {
    if (isJobMake_ != 1) {
        return true;
    }
    struct stat data {};
    if (spoolFolder_.empty() || ::stat(spoolFile(kJobDataFile).c_str(), &data) != 0) {
        return false;
    }
    if (IsWriterGone()) {
        return true;
    }
    const double modified =
        static_cast<double>(data.st_mtim.tv_sec) + static_cast<double>(data.st_mtim.tv_nsec) / 1e9;
    if (now - modified > kAbandonedAfterSeconds) {
        isJobMake_ = 0;
        jobFileState_ = kJobFileBroken;
    }
    return true;
}

std::string CLocalJob::spoolFile(const char* name) const {
    return (std::filesystem::path(spoolFolder_) / name).string();
}

}  // namespace jobsender
