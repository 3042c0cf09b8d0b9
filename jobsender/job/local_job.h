// One spooled job: its spool folder, its description and printer, its growing data file, its
// state and progress, and the removal of its folder when it is thrown away.
//
// Every spool path comes from the spooling framework; the job reads "printerAddress",
// "JobInfo" and "JobData" in its folder and removes them at the end. All calls run on the job
// sender's one thread.
#pragma once

#include <cstdint>
#include <string>

#include "protocol/job_sender_events.h"

namespace jobsender {

/// Job types: a stream of QDXA packets is the only one.
inline constexpr std::uint32_t kJobTypeQDXA = 1;

/// The job's file state beside 0 (good): the job is broken.
inline constexpr std::uint8_t kJobFileBroken = 128;

/// What GetState reports.
enum JobState : std::uint32_t {
    kStateWritten = 0,         ///< being written, not yet sent
    kStateWaiting = 1,         ///< complete, waiting to be sent
    kStateSendingWritten = 2,  ///< being sent while its data is still being written
    kStateSending = 3,         ///< being sent
    kStatePrinterStatus = 4,   ///< being sent, the printer reports a status (offline)
    kStateError = 5,           ///< broken
};

/// A job being written whose data has not changed for this long is taken as abandoned.
inline constexpr double kAbandonedAfterSeconds = 1800;

class CLocalJob {
  public:
    /// Reads the job's spool folder, printer address, job information and printer name, in this
    /// order; the first that fails leaves the rest empty, and the job exists all the same.
    explicit CLocalJob(std::uint32_t jobID);
    virtual ~CLocalJob();
    CLocalJob(const CLocalJob&) = delete;
    CLocalJob& operator=(const CLocalJob&) = delete;

    virtual std::uint32_t GetState();
    /// Percent over all copies, 0 to 100; -1 while the job is being written.
    virtual std::int32_t GetProgress();
    /// Closes the data file and removes the spool folder (to the trash when the folder is
    /// locked); true when the folder is gone afterwards.
    virtual bool DeleteSpoolFolder();
    virtual std::uint32_t GetJobType();

    /// Opens "JobData" for reading; true when it is open.
    bool OpenFile();
    void CloseFile();
    /// Closes and opens "JobData" again; false when the open fails.
    bool ReopenFile();
    /// Measures "JobData" into the file size; false (nothing changed) when it cannot be.
    bool CalculationFileSize();
    /// Reads exactly `*length` bytes of "JobData" at the send size and advances the send size by
    /// them. When fewer bytes are there (the data has not arrived yet, or the file gave less than
    /// its size promised), `*length` becomes 0 and nothing advances. False when the buffer or
    /// length is missing, or the file cannot be opened or read.
    bool ReadData(std::uint8_t* buffer, std::uint32_t* length);
    /// The single-stream flag of "JobInfo"; false (flag 0) when it cannot be read.
    bool ReadSingleJobFlagFromInfo(std::uint32_t* flag);
    /// The state of the job's data that "JobInfo" records (kIOSAgencyJobBeingWritten,
    /// kIOSAgencyJobComplete, else to be dropped); false, state 2, when "JobInfo" is missing.
    bool ReadJobStateFromInfo(std::uint32_t* state);
    /// True when the job is being written and the spooling framework knows that its writer is
    /// gone (it ended, or died in the middle of the job): "JobInfo" holds all there will be.
    bool IsWriterGone();
    /// A job being written whose "JobData" was last changed more than kAbandonedAfterSeconds
    /// before `now` (seconds since the Unix epoch) is no longer being written and is broken.
    /// A job whose writer is known to be gone is left to the end of its writing (IsWriterGone).
    /// False when "JobData" is missing.
    bool JobTimeOutCheck(double now);

    void* GetPrinterAddress() const { return printerAddress_; }
    std::uint32_t GetJobID() const { return jobID_; }
    const char* GetJobName() const { return jobName_; }
    const char* GetPrinterName() const { return printerName_; }
    std::uint32_t GetCopies() const { return copies_; }
    const char* GetComment() const { return comment_; }
    std::int64_t GetFileSize() const { return fileSize_; }
    std::int64_t GetSendSize() const { return sendSize_; }
    void SetSendSize(std::int64_t size) { sendSize_ = size; }
    std::uint32_t GetOutputNum() const { return outputNum_; }
    void SetOutputNum(std::uint32_t number) { outputNum_ = number; }
    std::uint8_t GetJobFileState() const { return jobFileState_; }
    void SetJobFileState(std::uint8_t state) { jobFileState_ = state; }
    std::uint8_t GetIsJobMake() const { return isJobMake_; }
    void SetIsJobMake(std::uint8_t flag) { isJobMake_ = flag; }
    std::uint8_t GetIsJobSend() const { return isJobSend_; }
    void SetIsJobSend(std::uint8_t flag) { isJobSend_ = flag; }
    std::uint8_t GetIsJobFinish() const { return isJobFinish_; }
    void SetIsJobFinish(std::uint8_t flag) { isJobFinish_ = flag; }
    std::int32_t GetStatusCode() const { return statusCode_; }
    void SetStatusCode(std::int32_t code) { statusCode_ = code; }
    CLocalJob* GetNextObj() const { return next_; }
    void SetNextObj(CLocalJob* job) { next_ = job; }

    /// Removal attempts of a job in the trash whose folder stayed, and when the next is due.
    int GetRemovalAttempts() const { return removalAttempts_; }
    double GetNextRemoval() const { return nextRemoval_; }
    void SetRemovalRetry(int attempts, double due) {
        removalAttempts_ = attempts;
        nextRemoval_ = due;
    }

  private:
    std::string spoolFile(const char* name) const;

    void* printerAddress_ = nullptr;
    std::string spoolFolder_;
    int dataFile_ = -1;
    std::uint8_t fileOpen_ = 0;
    std::int64_t fileSize_ = 0;
    std::int64_t sendSize_ = 0;
    std::uint32_t outputNum_ = 0;
    std::uint8_t jobFileState_ = 0;
    std::uint32_t jobID_ = 0;
    char jobName_[kTextFieldBytes] = {};
    char printerName_[kTextFieldBytes] = {};
    std::uint32_t copies_ = 0;
    char comment_[kTextFieldBytes] = {};
    std::uint8_t isJobMake_ = 0;
    std::uint8_t isJobSend_ = 0;
    std::uint8_t isJobFinish_ = 0;
    std::int32_t statusCode_ = 0;
    CLocalJob* next_ = nullptr;
    int removalAttempts_ = 0;
    double nextRemoval_ = 0;
};

}  // namespace jobsender
