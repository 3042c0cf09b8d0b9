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
//     "JobData": the job's QDXA packet stream,
//     "JobWriterLock": empty; while the job is written, its writer holds an exclusive lock
//         (flock) on it, which the kernel releases when the writer ends, however it ends. The
//         writer removes it once "JobInfo" holds the job's final state, so it is left behind,
//         unlocked, only by a writer that died (a job without it comes from a writer that keeps
//         no lock: only the job sender's time-out can tell that its writer died).
// Whoever makes a job folder or changes "JobList" holds the root folder's lock and replaces
// "JobList" as a whole (a temporary file renamed over it), so readers never see half a list.
// Every file of the spool folder is read only when it is a regular file of a sane size, opened
// without waiting: anything else at its name counts as unreadable.
#pragma once

#include <cstddef>
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
inline constexpr const char* kJobWriterLockFile = "JobWriterLock";

/// Ids a "JobList" holds at most; a longer file is no list a writer or the job sender made.
inline constexpr std::size_t kMaxJobListIds = 65536;

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

/// The writer's lock on its job: "JobWriterLock" made in the job's folder and locked while the
/// object lives.
class JobWriterLock {
  public:
    explicit JobWriterLock(const std::filesystem::path& jobFolder);
    /// Unlocks; the file stays, as a sign that the writer ended before the job's state was final.
    ~JobWriterLock();
    JobWriterLock(const JobWriterLock&) = delete;
    JobWriterLock& operator=(const JobWriterLock&) = delete;
    bool locked() const { return descriptor_ >= 0; }
    /// Removes the file, then unlocks: the job's final state is recorded.
    void releaseFinal();

  private:
    std::filesystem::path file_;
    int descriptor_ = -1;
};

/// Whether the writer of a job is still at work.
enum class JobWriter {
    kWriting,  ///< its lock is held
    kGone,     ///< its lock is free: the writer ended or died
    kUnknown,  ///< no lock to tell by
};

/// The writer of the job whose folder is `jobFolder`.
JobWriter jobWriter(const std::filesystem::path& jobFolder);

/// The ids of the bytes of a "JobList": one per whole 4-byte word, a shorter tail ignored.
std::vector<std::uint32_t> parseJobList(std::span<const std::uint8_t> bytes);

/// The bytes of a "JobList" holding `ids`.
std::vector<std::uint8_t> encodeJobList(const std::vector<std::uint32_t>& ids);

/// The ids of "JobList" (`parseJobList`); empty when the file is missing, no regular file, or
/// longer than kMaxJobListIds ids.
std::vector<std::uint32_t> readJobList(const std::filesystem::path& root);

/// Replaces "JobList" with `ids`; false when it cannot be written.
bool writeJobList(const std::filesystem::path& root, const std::vector<std::uint32_t>& ids);

}  // namespace spool
