// The USB transport's device contexts and channel handles.
//
// All channels of one process on one printer share a CaioUSBContext: one device connection, one
// I/O thread that performs every bulk transfer, and the IEEE 1284.4 channel table. Callers hand
// transfer requests to the thread under the context's mutex and wait on its condition variable
// with their own time limits; the thread releases the mutex during each transfer, so a caller can
// give up while the transfer goes on. Callers keep at most one exchange in flight per device
// (the library's queue owner serialises the printer-control requests with the job data).
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "usb/usb.h"

/// One open IEEE 1284.4 channel (socket 0 is the transaction channel).
struct MultichannelRecord {
    std::uint8_t psid = 0;
    std::uint8_t ssid = 0;
    std::uint16_t hostToPrinterPacketSize = 0;
    std::vector<std::uint8_t> sendBuffer;
    std::uint16_t maxOutstandingSendCredit = 0;
    std::uint16_t sendCredit = 0;  ///< packets the host may still send
    std::uint16_t printerToHostPacketSize = 0;
    std::vector<std::uint8_t> receiveBuffer;
    std::uint16_t receiveCreditTarget = 0;
    std::uint16_t receiveCreditOutstanding = 0;  ///< packets the printer may still send
    std::uint16_t leftover = 0;  ///< payload bytes held at the front of the receive buffer
};

inline constexpr std::size_t kUsbChannelTableSize = 256;
inline constexpr std::size_t kUsbReadBufferSize = 10240;  ///< every bulk read asks for this much
inline constexpr std::size_t kUsbWriteBufferSize = 8192;  ///< first size; grows as needed

struct CaioUSBContext {
    std::string address;   ///< the percent-decoded search key
    std::string deviceId;  ///< the matched printer's completed IEEE 1284 device id

    // The device connection and its I/O thread; the flags and buffers below are guarded by
    // `mutex`.
    bool readPending = false;   ///< a caller's read waits for (or gave up on) a transfer
    bool writePending = false;  ///< a caller's write waits for (or gave up on) a transfer
    bool threadRunning = false;
    std::thread thread;
    std::mutex mutex;
    std::condition_variable condition;
    std::atomic<bool> stopRequested{false};
    usb::Status lastTransferStatus = usb::Status::ok;
    std::unique_ptr<usb::DeviceHandle> interface;
    std::uint8_t writePipe = 0;  ///< bulk OUT endpoint address; 0 when none
    std::uint8_t readPipe = 0;   ///< bulk IN endpoint address; 0 when none
    bool readRequested = false;
    std::vector<std::uint8_t> readBuffer;
    std::uint32_t readCount = 0;    ///< bytes asked for while requested
    std::uint32_t readHeld = 0;     ///< bytes held at the front of the read buffer
    std::uint32_t readTimeout = 0;  ///< milliseconds
    bool writeRequested = false;
    std::vector<std::uint8_t> writeBuffer;
    std::uint32_t writeCount = 0;  ///< bytes to write while requested, bytes written after

    std::uint32_t referenceCount = 0;  ///< handles that share the context

    std::array<std::unique_ptr<MultichannelRecord>, kUsbChannelTableSize> channels;
    std::uint8_t openChannelCount = 0;  ///< the transaction channel and every open data channel
    std::int32_t timeLimit = 0;         ///< hundredths of a second, of the operation in progress
};

/// One I/O channel on a USB printer.
struct CaioUSBHandle {
    CaioUSBContext* context = nullptr;
    std::uint8_t socket = 0;  ///< the channel this handle opened; 0 while none
};

// The device connection (results: 0, -1, or a transport code: 16 the interface did not open,
// 54 no matching printer, 60 time-out). Time limits are hundredths of a second.
std::int32_t USBThreadOpen(CaioUSBContext* context, std::int32_t timeLimit);
std::int32_t USBThreadWrite(CaioUSBContext* context, const std::uint8_t* buffer,
                            std::uint32_t* count, std::int32_t timeLimit);
std::int32_t USBThreadRead(CaioUSBContext* context, std::uint8_t* buffer, std::uint32_t* count,
                           std::int32_t timeLimit);
std::int32_t USBThreadClose(CaioUSBContext* context);

/// 60 once `limit` hundredths of a second have passed since the start, else 0.
std::int32_t zCheckTimeOut(long startSeconds, long startMicroseconds, std::int32_t limit);
/// Takes `mutex`, trying again until `limit` hundredths have passed since the start: 0 or 60.
std::int32_t zTryLockTimer(std::mutex& mutex, long startSeconds, long startMicroseconds,
                           std::int32_t limit);

// The IEEE 1284.4 channels of a handle (results: 0, -1, 107 a command refused, or a code of the
// device connection).
std::int32_t MultichannelOpen(CaioUSBHandle* handle, std::int32_t socket, std::int32_t timeLimit);
std::int32_t MultichannelWrite(CaioUSBHandle* handle, const std::uint8_t* buffer,
                               std::uint64_t* count, std::int32_t timeLimit);
std::int32_t MultichannelRead(CaioUSBHandle* handle, std::uint8_t* buffer, std::uint64_t* count,
                              std::int32_t timeLimit);
std::int32_t MultichannelClose(CaioUSBHandle* handle);
