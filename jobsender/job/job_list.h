// The job sender's jobs: the queue, in the order the jobs were announced (its head is sent
// first), and the trash of jobs that left the queue and wait until nobody uses them. The queue's
// ids are kept in "JobList" in the root spool folder, so a restarted job sender finds its jobs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "job/local_job.h"

namespace jobsender {

/// Jobs a "JobList" holds at most; a longer file is no list this program wrote, and is read as
/// none.
inline constexpr std::size_t kMaxLoadedJobs = 65536;

/// Tries at removing the spool folder of a job in the trash, and the pause between two.
inline constexpr int kRemovalAttempts = 5;
inline constexpr double kRemovalRetrySeconds = 60;

class CJobList {
  public:
    CJobList() = default;
    /// Destroys every job of both lists; their spool folders stay.
    ~CJobList();
    CJobList(const CJobList&) = delete;
    CJobList& operator=(const CJobList&) = delete;

    /// Appends a new job at the tail of the queue, being written when `making` is 1, else
    /// complete with its file size measured. False, and nothing added, when a job of that id is
    /// in the queue or the trash already.
    bool AddNewJob(std::uint32_t id, std::uint8_t making);
    /// Moves the first job of the queue with that id to the front of the trash; none, nothing.
    void DeleteJob(std::uint32_t id);
    /// The first job with that id in the queue, else in the trash, else null.
    CLocalJob* GetObjectFromID(std::uint32_t id) const;
    /// The head of the queue, or null.
    CLocalJob* GetSendJob() const { return queueHead_; }
    /// True while the queue or the trash holds a job.
    bool IsNecessityWait() const { return queueHead_ != nullptr || trashHead_ != nullptr; }
    /// Destroys every job of the trash that is neither being written nor being sent, with its
    /// spool folder. A folder that stays (its move to the trash failed or has not ended) keeps
    /// its job for another try kRemovalRetrySeconds after `now`, kRemovalAttempts times in all.
    void UpdateTrashJob(double now);

    /// Replaces "JobList" with the queue's ids; false when the root spool folder cannot be had
    /// or the file cannot be written (an earlier file then stays whole).
    bool SaveJobList();
    /// Loads the jobs of "JobList" once at start (`now` for the time-out of jobs being written)
    /// and saves the list. Skipped: an id seen before and an id without a spool folder; a job
    /// whose "JobInfo" cannot be read is kept, broken. False when there is no root spool folder
    /// or no "JobList" that can be read: a regular file of kMaxLoadedJobs ids at most.
    bool LoadJobList(double now);

    /// Calls `visit` for every job of the queue, head first.
    void ForEachQueuedJob(const std::function<void(CLocalJob&)>& visit) const;
    /// The jobs of the queue, then of the trash, that are being written.
    std::vector<CLocalJob*> JobsBeingWritten() const;

  private:
    void append(CLocalJob* job);

    CLocalJob* queueHead_ = nullptr;
    CLocalJob* queueTail_ = nullptr;
    CLocalJob* trashHead_ = nullptr;
};

}  // namespace jobsender
