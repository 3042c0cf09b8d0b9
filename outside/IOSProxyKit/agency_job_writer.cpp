// The writer side of the job-spooling framework: a spooled job is opened into a new spool
// folder, its stream appended to "JobData", and its "JobInfo" marked complete or cancelled. The
// writer holds the job's writer lock from the open until the job's final state is recorded.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <system_error>

#include "DovoCommonLib/ios_printer_address.h"
#include "IOSProxyKit/ios_agency.h"
#include "cf/list_text.h"
#include "cf/property_list.h"
#include "cf/value.h"
#include "protocol/job_sender_client.h"
#include "protocol/job_sender_events.h"
#include "spool_folder.h"

namespace {

constexpr mode_t kPrivateFolder = 0700;
constexpr mode_t kPrivateFile = 0600;
/// Texts are kept to what a 256-byte, zero-terminated field of the job sender holds.
constexpr std::size_t kMaxTextBytes = 255;
/// How long telling the job sender may take once it listens.
constexpr std::chrono::milliseconds kTellWait{2000};
/// Free ids tried after the highest one in use before the open gives up.
constexpr int kIdAttempts = 64;

struct AgencyJob {
    std::filesystem::path root;
    std::uint32_t id = 0;
    std::filesystem::path folder;
    cf::Value info;
    std::optional<spool::JobWriterLock> writer;
    int data = -1;

    ~AgencyJob() {
        if (data >= 0) {
            ::close(data);
        }
    }
};

/// The code of a write that failed with `error`: a disk without room is told apart, so that the
/// user learns why the job could not be spooled.
int32_t writeFailure(int error) {
    return error == ENOSPC || error == EDQUOT || error == EFBIG ? kIOSAgencyErrDiskFull
                                                                : kIOSAgencyErrIO;
}

/// The longest prefix of `text` (at most kMaxTextBytes) that is whole UTF-8.
std::string listText(const char* text) {
    if (text == nullptr) {
        return {};
    }
    std::string kept(text, strnlen(text, kMaxTextBytes));
    while (!kept.empty() && !cf::isListText(kept)) {
        kept.pop_back();
    }
    return kept;
}

/// The id after the highest one in use (in the job list or as a folder), wrapping past the
/// largest id to 1.
std::uint32_t nextCandidate(const std::filesystem::path& root,
                            const std::vector<std::uint32_t>& queued) {
    std::uint32_t highest = queued.empty() ? 0 : *std::max_element(queued.begin(), queued.end());
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root, error)) {
        if (const auto id = spool::jobIdOfFolderName(entry.path().filename().string())) {
            highest = std::max(highest, *id);
        }
    }
    return highest == UINT32_MAX ? 1 : highest + 1;
}

/// Makes the folder of a new job under the held lock; its id, or nothing.
std::optional<std::uint32_t> makeJobFolder(const std::filesystem::path& root,
                                           const std::vector<std::uint32_t>& queued) {
    std::uint32_t id = nextCandidate(root, queued);
    for (int attempt = 0; attempt < kIdAttempts; ++attempt) {
        if (std::find(queued.begin(), queued.end(), id) == queued.end()) {
            if (::mkdir(spool::jobFolder(root, id).c_str(), kPrivateFolder) == 0) {
                return id;
            }
            if (errno != EEXIST) {
                return std::nullopt;
            }
        }
        id = id == UINT32_MAX ? 1 : id + 1;
    }
    return std::nullopt;
}

/// Tells the job sender, starting it when it does not run. The job is in "JobList" and its folder
/// whatever comes of this: a job sender started later finds it there.
void tellJobSender(const std::filesystem::path& root, const events::Event& event) {
    jobsender::sendToJobSender(root, event, nullptr, kTellWait, true);
}

bool writeJobInfo(const AgencyJob& job) {
    return cf::writePropertyListFile(job.folder / spool::kJobInfoFile, job.info,
                                     cf::PropertyListFormat::Xml) == cf::PlistStatus::Ok;
}

// Fills the new job's folder: the writer's lock, printer address, job information, an empty data
// file. The lock comes first, so that the job is never seen without it.
bool fillJobFolder(AgencyJob& job, void* printerAddress) {
    if (!job.writer.emplace(job.folder).locked()) {
        return false;
    }
    const std::string address = (job.folder / spool::kPrinterAddressFile).string();
    if (IOS_WritePrinterAddressToFile(printerAddress, address.c_str()) != kIOS_NoErr ||
        !writeJobInfo(job)) {
        return false;
    }
    job.data = ::open((job.folder / spool::kJobDataFile).c_str(),
                      O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kPrivateFile);
    return job.data >= 0;
}

// Makes the job's folder and adds the job to "JobList", under the root folder's lock. A step that
// fails leaves errno set, or 0 when it does not tell.
int32_t makeSpooledJob(AgencyJob& job, void* printerAddress, const char* documentName,
                       uint16_t copies, const char* comment, uint8_t singleJob) {
    const std::filesystem::path root = spool::rootSpoolFolder();
    spool::makeRootFolder(root);
    const spool::RootLock lock(root);
    if (!lock.locked()) {
        return kIOSAgencyErrIO;
    }
    std::vector<std::uint32_t> queued = spool::readJobList(root);
    errno = 0;
    const std::optional<std::uint32_t> id = makeJobFolder(root, queued);
    if (!id) {
        return writeFailure(errno);
    }
    job.root = root;
    job.id = *id;
    job.folder = spool::jobFolder(root, *id);
    job.info = cf::Value::emptyDictionary();
    job.info.set(spool::kJobIdKey, static_cast<std::int64_t>(*id));
    job.info.set(spool::kJobNameKey, listText(documentName));
    job.info.set(spool::kCopiesKey, static_cast<std::int32_t>(copies));
    job.info.set(spool::kCommentKey, listText(comment));
    job.info.set(spool::kSingleJobKey, singleJob != 0);
    job.info.set(spool::kJobFileStateKey, static_cast<std::int32_t>(spool::kJobBeingWritten));
    queued.push_back(*id);
    errno = 0;
    if (!fillJobFolder(job, printerAddress) || !spool::writeJobList(root, queued)) {
        const int32_t failure = writeFailure(errno);
        std::error_code ignored;
        std::filesystem::remove_all(job.folder, ignored);
        return failure;
    }
    return kIOSAgencyNoErr;
}

}  // namespace

IOS_AGENCY_API int32_t IOS_Agency_JobOpen(void** job, void* printerAddress,
                                          const char* documentName, uint16_t copies,
                                          const char* comment, uint8_t singleJob) {
    if (job == nullptr) {
        return kIOSAgencyErrParam;
    }
    *job = nullptr;
    if (printerAddress == nullptr) {
        return kIOSAgencyErrParam;
    }
    std::unique_ptr<AgencyJob> opened(new (std::nothrow) AgencyJob);
    if (!opened) {
        return kIOSAgencyErrMemory;
    }
    const int32_t made =
        makeSpooledJob(*opened, printerAddress, documentName, copies, comment, singleJob);
    if (made != kIOSAgencyNoErr) {
        return made;
    }
    const std::filesystem::path root = opened->root;
    const std::uint32_t id = opened->id;
    *job = opened.release();
    tellJobSender(root, jobsender::newJobEvent(id));
    return kIOSAgencyNoErr;
}

IOS_AGENCY_API int32_t IOS_Agency_JobSend(void* job, const void* data, uint32_t* length) {
    if (job == nullptr || length == nullptr) {
        return kIOSAgencyErrParam;
    }
    const std::uint32_t offered = *length;
    *length = 0;
    if (offered != 0 && data == nullptr) {
        return kIOSAgencyErrParam;
    }
    const int descriptor = static_cast<AgencyJob*>(job)->data;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    while (*length < offered) {
        const ssize_t written = ::write(descriptor, bytes + *length, offered - *length);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return written < 0 ? writeFailure(errno) : kIOSAgencyErrIO;
        }
        *length += static_cast<std::uint32_t>(written);
    }
    return kIOSAgencyNoErr;
}

IOS_AGENCY_API int32_t IOS_Agency_JobClose(void* job, uint8_t cancelled) {
    if (job == nullptr) {
        return kIOSAgencyErrParam;
    }
    const std::unique_ptr<AgencyJob> closing(static_cast<AgencyJob*>(job));
    // Data that may not have reached the disk is never handed on as complete.
    errno = 0;
    bool dataWhole = ::fsync(closing->data) == 0;
    dataWhole = ::close(closing->data) == 0 && dataWhole;
    const int32_t dataFailure = dataWhole ? kIOSAgencyNoErr : writeFailure(errno);
    closing->data = -1;
    const bool complete = cancelled == 0 && dataWhole;
    closing->info.set(
        spool::kJobFileStateKey,
        static_cast<std::int32_t>(complete ? spool::kJobComplete : spool::kJobCancelled));
    errno = 0;
    const bool recorded = writeJobInfo(*closing);
    const int32_t infoFailure = recorded ? kIOSAgencyNoErr : writeFailure(errno);
    tellJobSender(closing->root, jobsender::jobEndEvent(closing->id, !complete));
    // Unrecorded, the job still says it is being written: the lock file stays behind, unlocked,
    // and tells the job sender that its writer is gone.
    if (recorded) {
        closing->writer->releaseFinal();
    }
    if (infoFailure != kIOSAgencyNoErr) {
        return infoFailure;
    }
    return cancelled != 0 ? kIOSAgencyNoErr : dataFailure;
}
