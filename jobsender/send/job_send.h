// The sender of the queue's head job: the processing loop gives it the job and lets it take one
// small step per cycle, so that events are served between steps.
#pragma once

#include <cstdint>

namespace jobsender {

class CLocalJob;

class CJobSend {
  public:
    std::uint8_t GetStopFlag() const { return stopFlag_; }
    void SetStopFlag(std::uint8_t flag) { stopFlag_ = flag; }
    /// 1 when the last step was put off (the printer offline or busy, or no data yet): the next
    /// step need not follow at once.
    std::uint8_t GetWaitFlag() const { return waitFlag_; }

    virtual CLocalJob* GetSendingJob() = 0;
    virtual void SetSendingJob(CLocalJob* job) = 0;
    /// One step; 0, or the error that stopped the queue.
    virtual std::int32_t SendData() = 0;
    virtual void StopCurrentJob() = 0;
    virtual void DeleteCurrentJob() = 0;
    virtual void RestertJob() = 0;
    virtual std::uint32_t GetJobType() = 0;

  protected:
    CJobSend() = default;
    ~CJobSend() = default;  // the owner destroys the concrete sender
    CJobSend(const CJobSend&) = delete;
    CJobSend& operator=(const CJobSend&) = delete;

    void SetWaitFlag(std::uint8_t flag) { waitFlag_ = flag; }

  private:
    std::uint8_t stopFlag_ = 0;
    std::uint8_t waitFlag_ = 0;
};

}  // namespace jobsender
