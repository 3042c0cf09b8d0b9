// CLibAdminThread: the queue owner's administration thread for one USB printer. It holds the
// printer's administration connection and serves the printer's operation queue, whoever put the
// operations there, until a stop operation arrives, it is aborted, or the library is torn down.
//
// Its state, reported through a condition: 0 not running, 1 running (or about to end after its
// connection failed), 2 paused between operations, 3 ended. Job transfers pause it, so that job
// data and queued requests never interleave on the printer's connection.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "address/printer_address.h"
#include "core/core_context.h"
#include "registry/lib_device_info.h"

class CLibAdminThread {
  public:
    enum Condition : int { kNotRunning = 0, kRunning = 1, kPaused = 2, kEnded = 3 };

    static constexpr std::chrono::seconds kWaitLimit{60};

    /// A thread for the printer of `deviceInfo` (the thread works on it, so it should be a view
    /// of its own) that serves while `mapping` is true. Null without a view or an address.
    static std::unique_ptr<CLibAdminThread> initWithDeviceInfo(
        std::unique_ptr<CLibDeviceInfo> deviceInfo, CLibPrinterAddress* printerAddress,
        const std::atomic<bool>* mapping);

    /// Aborts a thread that still runs.
    ~CLibAdminThread();
    CLibAdminThread(const CLibAdminThread&) = delete;
    CLibAdminThread& operator=(const CLibAdminThread&) = delete;

    /// Starts the thread and waits (up to 60 s) until it has opened the administration
    /// connection: the open's status, or 22998 when a thread exists already or it does not
    /// answer.
    std::uint32_t start();
    /// Asks the thread to pause between operations and waits (up to 60 s) until it has; false
    /// without a thread or when it does not pause in time.
    bool pause();
    /// Lets a paused thread go on; false without a thread or when it does not answer in time.
    bool resume();
    /// Asks the thread to end, waits (up to 60 s) until it has closed its connection, and joins
    /// it.
    void abort();

    int condition() const;

  private:
    CLibAdminThread(std::unique_ptr<CLibDeviceInfo> deviceInfo,
                    device::PrinterAddressRef printerAddress, const std::atomic<bool>* mapping)
        : deviceInfo_(std::move(deviceInfo)),
          printerAddress_(std::move(printerAddress)),
          mapping_(mapping) {}

    void threadBody();
    /// Performs one operation on the connection: its library status.
    std::uint32_t perform(const CLibOperationTask& operation);
    void setCondition(int condition);
    bool waitForCondition(int condition);
    void join();

    std::unique_ptr<CLibDeviceInfo> deviceInfo_;
    device::PrinterAddressRef printerAddress_;
    const std::atomic<bool>* mapping_;
    std::thread thread_;
    mutable std::mutex conditionMutex_;
    std::condition_variable conditionChanged_;
    int condition_ = kNotRunning;
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> pauseRequestFlag_{false};
    std::uint32_t startingError_ = 0;
    CoreContext* connection_ = nullptr;
};
