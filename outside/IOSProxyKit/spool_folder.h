// The spool folder of the job-spooling framework, shared by the job writer and the job reader.
//
// The root spool folder is $STRATOLINE_SPOOL, else $XDG_DATA_HOME/Orvane/IOSProxyKit/Spool, else
// ~/.local/share/Orvane/IOSProxyKit/Spool. It holds
//   "JobList": the ids of the queued jobs, head first, each an unsigned 32-bit big-endian
//       number, nothing else;
//   "ApplicationState": the job sender's own state (4 bytes);
//   one folder per job, named by the job's id in decimal, holding
//     "printerAddress": the device library's printer-address property list,
//     "JobInfo": an XML property list, a dictionary of "JobID" (integer), "JobName" (string),
//         "Copies" (integer), "Comment" (string), "SingleJob" (Boolean) and "JobFileState"
//         (integer, a JobFileState below),
//     "JobData": the job's QDXA packet stream.
// Whoever makes a job folder or changes "JobList" holds the root folder's lock and replaces
// "JobList" as a whole (a temporary file renamed over it), so readers never see half a list.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace spool {

inline constexpr const char* kRootVariable = "STRATOLINE_SPOOL";
inline constexpr const char* kJobListFile = "JobList";
inline constexpr const char* kPrinterAddressFile = "printerAddress";
inline constexpr const char* kJobInfoFile = "JobInfo";
inline constexpr const char* kJobDataFile = "JobData";

inline constexpr const char* kJobIdKey = "JobID";
inline constexpr const char* kJobNameKey = "JobName";
inline constexpr const char* kCopiesKey = "Copies";
inline constexpr const char* kCommentKey = "Comment";
inline constexpr const char* kSingleJobKey = "SingleJob";
inline constexpr const char* kJobFileStateKey = "JobFileState";

/// What "JobFileState" says of the job's data.
enum JobFileState : std::int32_t {
    kJobBeingWritten = 0,
    kJobComplete = 1,
    kJobCancelled = 2,  ///< to be dropped by the job sender
};

/// The root spool folder (not created here).
std::filesystem::path rootSpoolFolder();

/// Makes the root spool folder (owner only) and its parents when missing; true when it is a
/// folder afterwards.
bool makeRootFolder(const std::filesystem::path& root);

/// The spool folder of job `id` under `root`.
std::filesystem::path jobFolder(const std::filesystem::path& root, std::uint32_t id);

/// The job id a folder name stands for: decimal digits only, no leading zero, 1 or more.
std::optional<std::uint32_t> jobIdOfFolderName(const std::string& name);

/// The root folder's lock: an exclusive lock on the folder itself, held while the object lives.
class RootLock {
  public:
    explicit RootLock(const std::filesystem::path& root);
    ~RootLock();
    RootLock(const RootLock&) = delete;
    RootLock& operator=(const RootLock&) = delete;
    bool locked() const { return descriptor_ >= 0; }

  private:
    int descriptor_ = -1;
};

/// The ids of the bytes of a "JobList": one per whole 4-byte word, a shorter tail ignored.
std::vector<std::uint32_t> parseJobList(std::span<const std::uint8_t> bytes);

/// The bytes of a "JobList" holding `ids`.
std::vector<std::uint8_t> encodeJobList(const std::vector<std::uint32_t>& ids);

/// The ids of "JobList" (`parseJobList`); empty when the file is missing or unreadable.
std::vector<std::uint32_t> readJobList(const std::filesystem::path& root);

/// Replaces "JobList" with `ids`; false when it cannot be written.
bool writeJobList(const std::filesystem::path& root, const std::vector<std::uint32_t>& ids);

}  // namespace spool
