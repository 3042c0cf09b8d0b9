// Sends a job's stream of QDXA packets from its growing "JobData" to its printer: whole packets
// are read into a 128 KiB buffer as they arrive, a device job is opened when the first are
// ready, the buffer goes out block by block, and the device job is closed at the end of the
// data; then the stream is sent again for the next copy.
//
// Each packet is a 20-byte header (magic CD CA at 0, big-endian payload length at 8) and its
// payload; everything else of the header passes to the printer as it stands. A packet that does
// not begin with the magic, and a finished stream that ends inside a packet, make the job broken.
// While the printer is offline or busy the same operation is tried again in the next step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "send/job_send.h"

namespace jobsender {

inline constexpr std::size_t kPacketBufferBytes = 131072;
inline constexpr std::size_t kPacketHeaderBytes = 20;
/// Result of a step that found a broken stream; also the job's file state then.
inline constexpr std::int32_t kResultBrokenStream = 128;
/// Result of a step whose read of "JobData" failed.
inline constexpr std::int32_t kResultReadFailed = -1;
/// Closes of a cancelled device job that the printer may put off before it is given up.
inline constexpr int kCancelCloseAttempts = 50;

class CJobSendQDXA final : public CJobSend {
  public:
    CJobSendQDXA();
    /// Closes an open device job as cancelled.
    ~CJobSendQDXA();

    CLocalJob* GetSendingJob() override { return job_; }
    void SetSendingJob(CLocalJob* job) override;
    std::int32_t SendData() override;
    void StopCurrentJob() override { SetStopFlag(1); }
    void DeleteCurrentJob() override;
    void RestertJob() override { SetStopFlag(0); }
    std::uint32_t GetJobType() override;

  private:
    std::int32_t ReadPacketData();
    std::int32_t endOfReadable(bool insidePacket);
    std::int32_t openDeviceJob();
    std::int32_t sendBlock();
    std::int32_t closeDeviceJob();
    void closeCancelledDeviceJob();
    void UpdateCurrentJob();
    void ClearSendingJob();

    CLocalJob* job_ = nullptr;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t sendPointer_ = 0;
    std::uint32_t sendLength_ = 0;
    std::uint32_t remaining_ = 0;
    void* handle_ = nullptr;
    std::uint8_t opened_ = 0;
    std::int64_t carryOffset_ = 0;
    std::uint8_t headerPending_ = 0;
    std::uint8_t endOfData_ = 0;
    int cancelCloses_ = 0;
};

}  // namespace jobsender
