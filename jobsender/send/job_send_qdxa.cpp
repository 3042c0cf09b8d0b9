// One step at a time: read whole packets, open the device job, send, close, next copy.
#include "send/job_send_qdxa.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "DovoCommonLib/ios_status.h"
#include "bytes/byte_order.h"
#include "job/local_job.h"
#include "send/device_calls.h"

namespace jobsender {
namespace {

constexpr std::uint8_t kMagic0 = 0xCD;
constexpr std::uint8_t kMagic1 = 0xCA;
constexpr std::size_t kPayloadLengthAt = 8;  // big-endian, in the 20-byte header
/// Pause between the closes of a cancelled device job at destruction, where no later step comes.
constexpr std::chrono::milliseconds kFinalClosePause{100};

bool isPutOff(std::uint32_t status) {
    return status == kIOS_ErrOffline || status == kIOS_ErrBusy;
}

}  // namespace

CJobSendQDXA::CJobSendQDXA() : buffer_(new std::uint8_t[kPacketBufferBytes]()) {}

CJobSendQDXA::~CJobSendQDXA() {
    while (opened_ == 1) {
        closeCancelledDeviceJob();
        if (opened_ == 1) {
            std::this_thread::sleep_for(kFinalClosePause);
        }
    }
}

void CJobSendQDXA::SetSendingJob(CLocalJob* job) {
    job_ = job;
    if (job_ != nullptr) {
        job_->SetIsJobSend(1);
    }
}

void CJobSendQDXA::DeleteCurrentJob() {
    if (job_ != nullptr) {
        job_->SetIsJobFinish(1);
    }
}

std::uint32_t CJobSendQDXA::GetJobType() {
    return kJobTypeQDXA;
}

std::int32_t CJobSendQDXA::SendData() {
    SetWaitFlag(0);
    if (job_ == nullptr) {
        return 0;
    }
    if (job_->GetJobFileState() != 0) {
        StopCurrentJob();
    }
    // A stopped or finished job takes one step to close its device job and one to be released.
    if (GetStopFlag() == 1 || job_->GetIsJobFinish() == 1) {
        if (opened_ == 1) {
            closeCancelledDeviceJob();
        } else {
            ClearSendingJob();
        }
        return 0;
    }
    if (remaining_ == 0) {
        const std::int32_t result = ReadPacketData();
        if (result == kResultBrokenStream) {
            job_->SetJobFileState(kJobFileBroken);
        }
        if (result != 0) {
            StopCurrentJob();
            return result;
        }
        if (remaining_ == 0) {
            if (endOfData_ == 0) {
                SetWaitFlag(1);  // the data has not arrived yet
                return 0;
            }
            // An empty stream never opened a device job: there is nothing to close.
            if (opened_ == 1) {
                const std::int32_t closed = closeDeviceJob();
                if (closed != 0) {
                    StopCurrentJob();
                    return closed;
                }
                if (opened_ == 1) {
                    SetWaitFlag(1);
                    return 0;
                }
            }
            UpdateCurrentJob();
            return 0;
        }
    }
    const std::int32_t result = opened_ == 1 ? sendBlock() : openDeviceJob();
    if (result != 0) {
        StopCurrentJob();
    }
    return result;
}

// W is where the next bytes go and R the end of the last whole packet. A header whose payload
// does not fit, or has not arrived, stays pending: it is carried to the front of the buffer for
// the next call.
std::int32_t CJobSendQDXA::ReadPacketData() {
    std::uint8_t* buffer = buffer_.get();
    std::size_t write = 0;
    std::size_t ready = 0;
    std::int32_t result = 0;
    if (carryOffset_ != 0) {
        std::memmove(buffer, buffer + carryOffset_, kPacketHeaderBytes);
    }
    for (;;) {
        if (headerPending_ == 0) {
            std::uint32_t length = kPacketHeaderBytes;
            if (!job_->ReadData(buffer + write, &length)) {
                result = kResultReadFailed;
                break;
            }
            carryOffset_ = 0;
            if (length == 0) {
                result = endOfReadable(false);
                break;
            }
        }
        headerPending_ = 1;
        if (buffer[write] != kMagic0 || buffer[write + 1] != kMagic1) {
            result = kResultBrokenStream;
            break;
        }
        const std::size_t payload = bytes::loadBE16(buffer + write + kPayloadLengthAt);
        write += kPacketHeaderBytes;
        if (write + payload > kPacketBufferBytes) {
            carryOffset_ = static_cast<std::int64_t>(write - kPacketHeaderBytes);
            break;
        }
        if (payload > 0) {
            auto length = static_cast<std::uint32_t>(payload);
            const bool read = job_->ReadData(buffer + write, &length);
            if (!read || length == 0) {
                carryOffset_ = static_cast<std::int64_t>(write - kPacketHeaderBytes);
                result = read ? endOfReadable(true) : kResultReadFailed;
                break;
            }
        }
        headerPending_ = 0;
        carryOffset_ = 0;
        write += payload;
        ready = write;
        if (ready + kPacketHeaderBytes > kPacketBufferBytes) {
            break;
        }
    }
    if (ready > 0) {
        sendPointer_ = 0;
        sendLength_ = static_cast<std::uint32_t>(ready);
        remaining_ = sendLength_;
    }
    if (job_->GetIsJobMake() == 0 && job_->GetSendSize() >= job_->GetFileSize()) {
        endOfData_ = 1;
    }
    return result;
}

// Nothing more could be read. While the job is being written its data has not arrived yet; once
// it is complete, a packet cut short (a header read whose payload is missing, or less than a
// header left) means the stream is broken: waiting would block the queue for ever.
std::int32_t CJobSendQDXA::endOfReadable(bool insidePacket) {
    if (job_->GetIsJobMake() != 0) {
        return 0;
    }
    job_->CalculationFileSize();
    return insidePacket || job_->GetSendSize() < job_->GetFileSize() ? kResultBrokenStream : 0;
}

std::int32_t CJobSendQDXA::openDeviceJob() {
    void* handle = nullptr;
    std::uint32_t subCode = 0;
    const std::uint32_t status = senderDeviceCalls().current().jobOpen(
        &handle, job_->GetPrinterAddress(), nullptr, &subCode);
    if (status == kIOS_NoErr && handle != nullptr) {
        job_->SetStatusCode(0);
        handle_ = handle;
        opened_ = 1;
        cancelCloses_ = 0;
        return 0;
    }
    if (isPutOff(status)) {
        job_->SetStatusCode(status == kIOS_ErrOffline ? static_cast<std::int32_t>(subCode) : 0);
        SetWaitFlag(1);
        return 0;
    }
    return static_cast<std::int32_t>(status == kIOS_NoErr ? kIOS_ErrInternal : status);
}

std::int32_t CJobSendQDXA::sendBlock() {
    std::uint32_t length = sendLength_;
    std::uint32_t subCode = 0;
    const std::uint32_t status = senderDeviceCalls().current().jobSend(
        handle_, buffer_.get() + sendPointer_, &length, endOfData_, &subCode);
    length = std::min(length, remaining_);
    sendPointer_ += length;
    remaining_ -= length;
    sendLength_ = remaining_;
    if (status == kIOS_NoErr || isPutOff(status)) {
        job_->SetStatusCode(status == kIOS_ErrOffline ? static_cast<std::int32_t>(subCode) : 0);
        SetWaitFlag(length == 0 ? 1 : 0);
        return 0;
    }
    return static_cast<std::int32_t>(status);
}

// Offline and busy keep the device job open, to be closed again later. Any other status has
// released it in the device library, so its handle is never used again.
std::int32_t CJobSendQDXA::closeDeviceJob() {
    std::uint32_t subCode = 0;
    const std::uint32_t status = senderDeviceCalls().current().jobClose(handle_, 0, &subCode);
    if (isPutOff(status)) {
        job_->SetStatusCode(status == kIOS_ErrOffline ? static_cast<std::int32_t>(subCode) : 0);
        return 0;
    }
    handle_ = nullptr;
    opened_ = 0;
    if (status != kIOS_NoErr) {
        return static_cast<std::int32_t>(status);
    }
    job_->SetStatusCode(0);
    return 0;
}

// A cancelled device job is closed whatever the printer says, except that an offline or busy
// printer keeps it: the handle stays and the close is tried again (a USB printer's queue stays
// owned until then), kCancelCloseAttempts times at most.
void CJobSendQDXA::closeCancelledDeviceJob() {
    std::uint32_t subCode = 0;
    const std::uint32_t status = senderDeviceCalls().current().jobClose(handle_, 1, &subCode);
    if (isPutOff(status) && ++cancelCloses_ < kCancelCloseAttempts) {
        SetWaitFlag(1);
        return;
    }
    if (job_ != nullptr) {
        job_->SetStatusCode(0);
    }
    handle_ = nullptr;
    opened_ = 0;
    cancelCloses_ = 0;
}

// The printer makes the copies itself from one stream when the job says so.
void CJobSendQDXA::UpdateCurrentJob() {
    std::uint32_t number = job_->GetOutputNum() + 1;
    std::uint32_t single = 0;
    if (job_->ReadSingleJobFlagFromInfo(&single) && single == 1) {
        number = job_->GetCopies();
    }
    if (job_->GetCopies() <= number) {
        job_->SetIsJobFinish(1);
        ClearSendingJob();
        return;
    }
    job_->SetOutputNum(number);
    job_->SetSendSize(0);
    job_->CloseFile();
    job_->OpenFile();
    endOfData_ = 0;
}

void CJobSendQDXA::ClearSendingJob() {
    job_->SetStatusCode(0);
    job_->SetSendSize(0);
    job_->SetOutputNum(0);
    job_->SetIsJobSend(0);
    job_->CloseFile();
    job_ = nullptr;
    carryOffset_ = 0;
    headerPending_ = 0;
    endOfData_ = 0;
    sendPointer_ = 0;
    sendLength_ = 0;
    remaining_ = 0;
}

}  // namespace jobsender
