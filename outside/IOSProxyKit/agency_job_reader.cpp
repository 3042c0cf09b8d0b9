// The reader side of the job-spooling framework: the job sender's way to the spool folders, to
// what a job's "JobInfo" records and to whether the job's writer is still at work.
#include <cstring>
#include <vector>

#include "IOSProxyKit/ios_agency.h"
#include "cf/property_list.h"
#include "cf/regular_file.h"
#include "cf/value.h"
#include "protocol/job_sender_events.h"
#include "spool_folder.h"

namespace {

/// A "JobInfo" is a small dictionary; anything larger is not one the writer made.
constexpr std::size_t kMaxJobInfoBytes = 64 * 1024;

int32_t copyFolder(const std::filesystem::path& folder, char* buffer) {
    const std::string& text = folder.native();
    if (text.size() >= kIOSAgencyPathBufferSize) {
        return kIOSAgencyErrParam;
    }
    std::memset(buffer, 0, kIOSAgencyPathBufferSize);
    std::memcpy(buffer, text.data(), text.size());
    return kIOSAgencyNoErr;
}

/// The dictionary of a "JobInfo" file, or a null value when it is missing, no regular file, too
/// large or no dictionary.
cf::Value readJobInfo(const char* jobInfo) {
    std::vector<std::uint8_t> bytes;
    cf::Value info;
    if (cf::readRegularFile(jobInfo, kMaxJobInfoBytes, bytes) != cf::FileReadStatus::Ok ||
        cf::readPropertyList(bytes, info) != cf::PlistStatus::Ok || !info.isDictionary()) {
        return {};
    }
    return info;
}

/// An unsigned 32-bit integer entry of the dictionary.
std::optional<uint32_t> readCount(const cf::Value& info, const char* key) {
    const cf::Value* value = info.find(key);
    const auto number = value != nullptr ? value->integer() : std::nullopt;
    if (!number || *number < 0 || *number > static_cast<std::int64_t>(UINT32_MAX)) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(*number);
}

}  // namespace

IOS_AGENCY_API int32_t IOS_Agency_GetRootSpoolFolder(char* folder) {
    if (folder == nullptr) {
        return kIOSAgencyErrParam;
    }
    const std::filesystem::path root = spool::rootSpoolFolder();
    if (!spool::makeRootFolder(root)) {
        return kIOSAgencyErrIO;
    }
    return copyFolder(root, folder);
}

IOS_AGENCY_API int32_t IOS_Agency_GetSpoolFolder(uint32_t jobID, char* folder) {
    if (folder == nullptr) {
        return kIOSAgencyErrParam;
    }
    const std::filesystem::path job = spool::jobFolder(spool::rootSpoolFolder(), jobID);
    std::error_code error;
    if (!std::filesystem::is_directory(job, error)) {
        return kIOSAgencyErrNoJob;
    }
    return copyFolder(job, folder);
}

IOS_AGENCY_API int32_t IOS_Agency_ReadJobFileState(uint32_t* state, const char* jobInfo) {
    if (state == nullptr || jobInfo == nullptr) {
        return kIOSAgencyErrParam;
    }
    const auto recorded = readCount(readJobInfo(jobInfo), spool::kJobFileStateKey);
    if (!recorded) {
        return kIOSAgencyErrIO;
    }
    *state = *recorded;
    return kIOSAgencyNoErr;
}

IOS_AGENCY_API int32_t IOS_Agency_ReadJobInfoFromFile(char* jobName, uint32_t* copies,
                                                      char* comment, const char* jobInfo) {
    if (jobName == nullptr || copies == nullptr || comment == nullptr || jobInfo == nullptr) {
        return kIOSAgencyErrParam;
    }
    const cf::Value info = readJobInfo(jobInfo);
    const cf::Value* name = info.find(spool::kJobNameKey);
    const cf::Value* note = info.find(spool::kCommentKey);
    const auto count = readCount(info, spool::kCopiesKey);
    if (name == nullptr || !name->string() || note == nullptr || !note->string() || !count) {
        return kIOSAgencyErrIO;
    }
    jobsender::fillTextField(jobName, kIOSAgencyTextBufferSize, *name->string());
    jobsender::fillTextField(comment, kIOSAgencyTextBufferSize, *note->string());
    *copies = *count;
    return kIOSAgencyNoErr;
}

IOS_AGENCY_API int32_t IOS_Agency_ReadSingleJob(uint32_t* singleJob, const char* jobInfo) {
    if (singleJob == nullptr || jobInfo == nullptr) {
        return kIOSAgencyErrParam;
    }
    const cf::Value info = readJobInfo(jobInfo);
    const cf::Value* single = info.find(spool::kSingleJobKey);
    const auto flag = single != nullptr ? single->boolean() : std::nullopt;
    if (!flag) {
        return kIOSAgencyErrIO;
    }
    *singleJob = *flag ? 1 : 0;
    return kIOSAgencyNoErr;
}

IOS_AGENCY_API int32_t IOS_Agency_ReadJobWriter(uint32_t* writer, const char* spoolFolder) {
    if (writer == nullptr || spoolFolder == nullptr) {
        return kIOSAgencyErrParam;
    }
    switch (spool::jobWriter(spoolFolder)) {
        case spool::JobWriter::kWriting:
            *writer = kIOSAgencyWriterWriting;
            break;
        case spool::JobWriter::kGone:
            *writer = kIOSAgencyWriterGone;
            break;
        case spool::JobWriter::kUnknown:
            *writer = kIOSAgencyWriterUnknown;
            break;
    }
    return kIOSAgencyNoErr;
}
