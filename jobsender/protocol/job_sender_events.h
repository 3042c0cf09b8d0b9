// The job sender's events and the byte layouts of their values.
//
// Processes tell the job sender about spooled jobs with events of class 'EVae'; the direct
// parameter (keyword '----') of each carries one of the records below. Multi-byte numbers are
// big-endian, except the 'long' flags of 'oapp', which are in the host's order. Texts are 256-byte
// fields, zero-terminated and zero after the terminator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "events/event.h"

namespace jobsender {

using events::fourCharCode;

inline constexpr events::FourCharCode kClassJobSender = fourCharCode("EVae");
inline constexpr events::FourCharCode kEventNewJob = fourCharCode("MAIE");   ///< 'MAOI'
inline constexpr events::FourCharCode kEventJobEnd = fourCharCode("MATE");   ///< 'MACI'
inline constexpr events::FourCharCode kEventStop = fourCharCode("MAST");     ///< no parameter
inline constexpr events::FourCharCode kEventRestart = fourCharCode("MARE");  ///< no parameter
inline constexpr events::FourCharCode kEventDelete = fourCharCode("MADE");   ///< 'MADI'
inline constexpr events::FourCharCode kEventGetInfo =
    fourCharCode("MAGI");  ///< reply 'MAJI' 'MAJD'
/// Class 'aevt': the application's launch (with 'long' flags) and its quit.
inline constexpr events::FourCharCode kEventOpenApplication = fourCharCode("oapp");
inline constexpr events::FourCharCode kEventQuit = fourCharCode("quit");

inline constexpr events::FourCharCode kTypeNewJob = fourCharCode("MAOI");
inline constexpr events::FourCharCode kTypeJobEnd = fourCharCode("MACI");
inline constexpr events::FourCharCode kTypeDeleteJob = fourCharCode("MADI");
inline constexpr events::FourCharCode kTypeJobInfo = fourCharCode("MAJI");
inline constexpr events::FourCharCode kTypeJobData = fourCharCode("MAJD");

/// Flags of 'oapp' ('long'): bit 0 stops the queue; else bit 1 restarts it.
inline constexpr std::int32_t kLaunchStopQueue = 1;
inline constexpr std::int32_t kLaunchRestartQueue = 2;

inline constexpr std::size_t kTextFieldBytes = 256;
/// Job records in one job list reply at most.
inline constexpr std::size_t kMaxJobRecords = 40;

#pragma pack(push, 1)
/// 'MAOI' (new job) and 'MADI' (delete a job).
struct JobIdRecord {
    std::uint8_t jobID[4];
};
/// 'MACI': end of a job's writing.
struct JobEndRecord {
    std::uint8_t jobID[4];
    std::uint8_t cancelled;  ///< 1: the job was cancelled
    std::uint8_t reserved[3];
};
/// 'MAJI': the head of the job list reply.
struct JobInfoRecord {
    std::uint8_t count[4];  ///< records in the 'MAJD' attribute
    std::uint8_t stopped;   ///< 1 when the queue is stopped
    std::uint8_t reserved[3];
};
/// 'MAJD': one job of the job list reply.
struct JobDataRecord {
    std::uint8_t jobID[4];
    char jobName[kTextFieldBytes];
    char printerName[kTextFieldBytes];
    std::uint8_t copies[4];
    char comment[kTextFieldBytes];
    std::uint8_t state[4];
    std::uint8_t progress[4];  ///< signed; -1 while the job is being written
};
#pragma pack(pop)
static_assert(sizeof(JobIdRecord) == 4);
static_assert(sizeof(JobEndRecord) == 8);
static_assert(offsetof(JobEndRecord, cancelled) == 4);
static_assert(sizeof(JobInfoRecord) == 8);
static_assert(offsetof(JobInfoRecord, stopped) == 4);
static_assert(sizeof(JobDataRecord) == 784);
static_assert(offsetof(JobDataRecord, printerName) == 260);
static_assert(offsetof(JobDataRecord, copies) == 516);
static_assert(offsetof(JobDataRecord, comment) == 520);
static_assert(offsetof(JobDataRecord, state) == 776);
static_assert(offsetof(JobDataRecord, progress) == 780);

/// One job as the job list reply shows it.
struct JobEntry {
    std::uint32_t jobID = 0;
    std::string jobName;
    std::string printerName;
    std::uint32_t copies = 0;
    std::string comment;
    std::uint32_t state = 0;
    std::int32_t progress = 0;
};

/// The job list reply: the queue's first jobs, head first, and whether the queue is stopped.
struct JobListReply {
    bool stopped = false;
    std::vector<JobEntry> jobs;
};

/// The events that processes send to the job sender.
events::Event newJobEvent(std::uint32_t jobID);
events::Event jobEndEvent(std::uint32_t jobID, bool cancelled);
events::Event deleteJobEvent(std::uint32_t jobID);
events::Event stopEvent();
events::Event restartEvent();
events::Event getInfoEvent();
/// 'oapp', with its flags when given.
events::Event openApplicationEvent(std::optional<std::int32_t> flags);
events::Event quitEvent();

/// The job id of a 'MAOI' or 'MADI' value; nothing when it is not exactly 4 bytes.
std::optional<std::uint32_t> readJobId(std::span<const std::uint8_t> value);
/// The job id and cancel flag of a 'MACI' value; nothing when it is not exactly 8 bytes.
std::optional<std::pair<std::uint32_t, bool>> readJobEnd(std::span<const std::uint8_t> value);
/// The flags of a 'long' value; nothing when it is not exactly 4 bytes.
std::optional<std::int32_t> readLong(std::span<const std::uint8_t> value);

/// Puts the job list reply into `reply`: 'MAJI' as the direct parameter and the records as the
/// attribute '----' of type 'MAJD' (no bytes when there are no jobs). At most kMaxJobRecords
/// jobs are put; texts are cut to their fields.
void putJobList(events::Event& reply, const JobListReply& list);
/// The job list of a reply; nothing when its 'MAJI' or 'MAJD' is missing or their sizes
/// disagree.
std::optional<JobListReply> readJobList(const events::Event& reply);

/// Fills the `size` bytes of `field`: at most size - 1 bytes of `text` (a longer text is cut
/// before the UTF-8 character that does not fit whole), then zeros to the end of the field.
void fillTextField(char* field, std::size_t size, std::string_view text);

/// The text of a zero-terminated field of `size` bytes; without a terminator, all its bytes.
std::string_view fieldText(const char* field, std::size_t size);

}  // namespace jobsender
