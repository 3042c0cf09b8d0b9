// The device connection of a USB printer and its I/O thread.
#include <sys/time.h>

#include <algorithm>
#include <cstring>

#include "qdxa_protocol/time_unit.h"
#include "transport/caio.h"
#include "usb/usb_context.h"
#include "usb/usb_device_search.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::seconds kBusyRetryPause{1};
// A write has no time-out of its own (it goes on until the printer takes it or the connection
// closes); it is made in slices of this length so that a close can end it.
constexpr std::chrono::milliseconds kWriteSlice{250};
constexpr std::int32_t kMillisecondsPerLimitUnit = 10;

Clock::time_point deadlineAfter(Clock::time_point start, std::int32_t limit) {
    return start + std::chrono::milliseconds(std::max(limit, 0) * kMillisecondsPerLimitUnit);
}

// Claims the interface, retrying until the limit has passed: a busy or unresponsive interface
// is tried again after a pause, any other failure at once. 0 or 16.
std::int32_t claimInterface(usb::DeviceHandle& device, Clock::time_point deadline) {
    for (;;) {
        const usb::Status status = device.claim();
        if (status == usb::Status::ok) {
            return kCaioNoErr;
        }
        if (Clock::now() >= deadline) {
            return kCaioCodeNotReady;
        }
        if (status == usb::Status::busy || status == usb::Status::noDevice) {
            std::this_thread::sleep_until(std::min(Clock::now() + kBusyRetryPause, deadline));
        } else {
            std::this_thread::yield();
        }
    }
}

// The bulk pipes of the interface: a bulk IN endpoint reads, any other bulk endpoint writes; a
// later endpoint replaces an earlier one.
void choosePipes(CaioUSBContext& context, const usb::InterfaceInfo& interface) {
    for (const usb::Endpoint& endpoint : interface.endpoints) {
        if (endpoint.isBulk()) {
            (endpoint.isIn() ? context.readPipe : context.writePipe) = endpoint.address;
        }
    }
}

// Performs the write request, slice after slice, until everything is written, a transfer fails
// or the connection closes. Called without the mutex.
usb::Status performWrite(CaioUSBContext& context, std::uint32_t& written) {
    written = 0;
    while (written < context.writeCount) {
        if (context.stopRequested) {
            return usb::Status::io;
        }
        std::size_t moved = 0;
        const usb::Status status =
            context.interface->bulk(context.writePipe, context.writeBuffer.data() + written,
                                    context.writeCount - written, kWriteSlice, moved);
        written += static_cast<std::uint32_t>(moved);
        if (status != usb::Status::ok && status != usb::Status::timeout) {
            return status;
        }
    }
    return usb::Status::ok;
}

// The I/O thread: performs the transfer requests one at a time, releasing the mutex during each.
// A transfer that fails (a read time-out included) ends it; later requests then time out at
// their callers until the connection is closed and opened again.
void zIOProc(CaioUSBContext* context) {
    std::unique_lock lock(context->mutex);
    for (;;) {
        context->condition.wait(lock, [&] {
            return context->stopRequested || context->readRequested || context->writeRequested;
        });
        if (context->stopRequested || !context->interface) {
            return;
        }
        if (context->readRequested) {
            if (context->readPipe == 0) {
                return;
            }
            const std::uint32_t asked = context->readCount;
            const std::chrono::milliseconds timeout(context->readTimeout);
            lock.unlock();
            std::size_t moved = 0;
            const usb::Status status = context->interface->bulk(
                context->readPipe, context->readBuffer.data(), asked, timeout, moved);
            lock.lock();
            context->readHeld = status == usb::Status::ok ? static_cast<std::uint32_t>(moved) : 0;
            context->lastTransferStatus = status;
            context->readRequested = false;
            context->condition.notify_all();
            if (status != usb::Status::ok) {
                return;
            }
        }
        if (context->writeRequested) {
            if (context->writePipe == 0) {
                return;
            }
            lock.unlock();
            std::uint32_t written = 0;
            const usb::Status status = performWrite(*context, written);
            lock.lock();
            context->writeCount = written;
            context->lastTransferStatus = status;
            context->writeRequested = false;
            context->condition.notify_all();
            if (status != usb::Status::ok) {
                return;
            }
        }
    }
}

// The result of a finished transfer for its caller.
std::int32_t transferResult(usb::Status status) {
    if (status == usb::Status::ok) {
        return kCaioNoErr;
    }
    return status == usb::Status::timeout ? kCaioCodeTimedOut : kCaioFailure;
}

// Takes the context's mutex within the limit; the time of the call's start goes in.
bool lockWithin(CaioUSBContext& context, const timeval& start, std::int32_t limit) {
    return zTryLockTimer(context.mutex, start.tv_sec, start.tv_usec, limit) == kCaioNoErr;
}

}  // namespace

std::int32_t zCheckTimeOut(long startSeconds, long startMicroseconds, std::int32_t limit) {
    timeval start{};
    start.tv_sec = startSeconds;
    start.tv_usec = startMicroseconds;
    timeval now{};
    ::gettimeofday(&now, nullptr);
    return qdxa::hundredthsBetween(start, now) >= qdxa::Hundredths{limit} ? kCaioCodeTimedOut
                                                                          : kCaioNoErr;
}

std::int32_t zTryLockTimer(std::mutex& mutex, long startSeconds, long startMicroseconds,
                           std::int32_t limit) {
    while (!mutex.try_lock()) {
        if (zCheckTimeOut(startSeconds, startMicroseconds, limit) != kCaioNoErr) {
            return kCaioCodeTimedOut;
        }
        std::this_thread::yield();
    }
    return kCaioNoErr;
}

std::int32_t USBThreadOpen(CaioUSBContext* context, std::int32_t timeLimit) {
    if (context->threadRunning) {
        return kCaioNoErr;
    }
    context->readPending = context->writePending = false;
    context->readRequested = context->writeRequested = false;
    context->stopRequested = false;
    context->readCount = context->readHeld = context->writeCount = 0;
    context->readPipe = context->writePipe = 0;
    context->readBuffer.assign(kUsbReadBufferSize, 0);
    context->writeBuffer.assign(kUsbWriteBufferSize, 0);
    if (context->address.empty()) {
        return kCaioFailure;
    }
    device::UsbFoundPrinter found;
    if (const std::int32_t status = device::UsbFindPrinter(context->address, found);
        status != kCaioNoErr) {
        return status;
    }
    context->deviceId = found.deviceId;
    if (const std::int32_t status =
            claimInterface(*found.device, deadlineAfter(Clock::now(), timeLimit));
        status != kCaioNoErr) {
        return status;
    }
    choosePipes(*context, found.interface);
    context->interface = std::move(found.device);
    context->thread = std::thread(zIOProc, context);
    context->threadRunning = true;
    return kCaioNoErr;
}

std::int32_t USBThreadWrite(CaioUSBContext* context, const std::uint8_t* buffer,
                            std::uint32_t* count, std::int32_t timeLimit) {
    timeval start{};
    ::gettimeofday(&start, nullptr);
    const auto deadline = deadlineAfter(Clock::now(), timeLimit);
    if (!lockWithin(*context, start, timeLimit)) {
        *count = 0;
        return kCaioCodeTimedOut;
    }
    std::unique_lock lock(context->mutex, std::adopt_lock);
    const auto finished = [&] { return !context->writeRequested; };
    // An earlier caller gave up on its transfer: this data goes as its own transfer once that one
    // has ended, never in its place.
    if (context->writePending) {
        if (!context->condition.wait_until(lock, deadline, finished)) {
            *count = 0;
            return kCaioCodeTimedOut;
        }
        context->writePending = false;
    }
    try {
        if (context->writeBuffer.size() < *count) {
            context->writeBuffer.resize(*count);
        }
    } catch (const std::bad_alloc&) {
        *count = 0;
        return kCaioFailure;
    }
    std::memcpy(context->writeBuffer.data(), buffer, *count);
    context->writeCount = *count;
    context->writeRequested = true;
    context->writePending = true;
    context->condition.notify_all();
    if (!context->condition.wait_until(lock, deadline, finished)) {
        context->condition.notify_all();
        *count = 0;
        return kCaioCodeTimedOut;  // the transfer stays pending
    }
    context->writePending = false;
    const std::int32_t result = transferResult(context->lastTransferStatus);
    *count = result == kCaioNoErr ? context->writeCount : 0;
    return result;
}

std::int32_t USBThreadRead(CaioUSBContext* context, std::uint8_t* buffer, std::uint32_t* count,
                           std::int32_t timeLimit) {
    timeval start{};
    ::gettimeofday(&start, nullptr);
    const auto deadline = deadlineAfter(Clock::now(), timeLimit);
    if (!lockWithin(*context, start, timeLimit)) {
        *count = 0;
        return kCaioCodeTimedOut;
    }
    std::unique_lock lock(context->mutex, std::adopt_lock);
    if (!context->readPending && context->readHeld == 0) {
        context->readCount = kUsbReadBufferSize;
        context->readTimeout =
            static_cast<std::uint32_t>(std::max(timeLimit, 0) * kMillisecondsPerLimitUnit);
        context->readRequested = true;
        context->readPending = true;
        context->lastTransferStatus = usb::Status::ok;
        context->condition.notify_all();
    }
    if (!context->condition.wait_until(lock, deadline, [&] { return !context->readRequested; })) {
        context->condition.notify_all();
        *count = 0;
        return kCaioCodeTimedOut;  // the next read waits for the same transfer
    }
    context->readPending = false;
    if (context->readHeld == 0) {
        *count = 0;
        return transferResult(context->lastTransferStatus);
    }
    const std::uint32_t delivered = std::min(*count, context->readHeld);
    std::memcpy(buffer, context->readBuffer.data(), delivered);
    std::memmove(context->readBuffer.data(), context->readBuffer.data() + delivered,
                 context->readHeld - delivered);
    context->readHeld -= delivered;
    *count = delivered;
    return kCaioNoErr;
}

std::int32_t USBThreadClose(CaioUSBContext* context) {
    if (!context->threadRunning) {
        return kCaioNoErr;
    }
    {
        std::lock_guard lock(context->mutex);
        context->stopRequested = true;
        context->condition.notify_all();
    }
    context->thread.join();
    context->interface.reset();  // releases the interface and closes the device
    context->readBuffer.clear();
    context->writeBuffer.clear();
    context->deviceId.clear();
    context->readPending = context->writePending = context->threadRunning = false;
    context->readRequested = context->writeRequested = false;
    context->readHeld = context->readCount = context->writeCount = 0;
    return kCaioNoErr;
}
