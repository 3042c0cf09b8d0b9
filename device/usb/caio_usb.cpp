// The USB transport's channel operations ("usb://"): device contexts shared per printer and
// process, one IEEE 1284.4 channel per handle.
#include <csignal>
#include <cstring>
#include <mutex>
#include <new>

#include "transport/caio.h"
#include "usb/usb_context.h"
#include "usb/usb_search_key.h"

namespace {

constexpr std::size_t kContextCacheSize = 16;
constexpr std::uint8_t kJobSocket = 0x10;
constexpr std::uint8_t kDatagramSocket = 0x20;
constexpr std::uint8_t kStreamSocket = 0x30;
constexpr std::int16_t kEventAddressUSB = 15;

// The process's device contexts, one per printer (by decoded search key). Guarded by its mutex
// although the library creates and destroys handles from one thread at a time: the
// administration thread of the queue owner makes its own handles.
struct ContextCache {
    std::mutex mutex;
    CaioUSBContext* slots[kContextCacheSize] = {};
};

ContextCache& contextCache() {
    static ContextCache cache;
    return cache;
}

CaioUSBHandle* asHandle(void* handle) {
    return static_cast<CaioUSBHandle*>(handle);
}

std::int32_t channelStatus(std::int32_t code) {
    return code > 0 ? caioStatusFromCode(code) : code;
}

std::int32_t socketFor(std::int32_t mode, std::int32_t port, std::uint8_t raw) {
    switch (mode) {
        case kCaioModeJobData:
            return raw != 0 ? port : kJobSocket;
        case kCaioModeControlDatagram:
            return kDatagramSocket;
        case kCaioModeControlStream:
            return kStreamSocket;
        default:
            return kCaioFailure;
    }
}

}  // namespace

void* caioUSBlibCreate(const char* address) {
    if (address == nullptr) {
        return nullptr;
    }
    if (std::signal(SIGPIPE, SIG_IGN) == SIG_ERR) {
        return nullptr;
    }
    try {
        const std::string key = device::UsbPercentDecode(address);
        ContextCache& cache = contextCache();
        std::lock_guard lock(cache.mutex);
        CaioUSBContext** emptySlot = nullptr;
        for (CaioUSBContext*& slot : cache.slots) {
            if (slot != nullptr && slot->address == key) {
                ++slot->referenceCount;
                return new CaioUSBHandle{slot, 0};
            }
            if (slot == nullptr && emptySlot == nullptr) {
                emptySlot = &slot;
            }
        }
        if (emptySlot == nullptr) {
            return nullptr;
        }
        auto context = std::make_unique<CaioUSBContext>();
        context->address = key;
        context->referenceCount = 1;
        auto handle = std::make_unique<CaioUSBHandle>(CaioUSBHandle{context.get(), 0});
        *emptySlot = context.release();
        return handle.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::int32_t caioUSBlibOpen(void* handle, std::int32_t mode, std::int32_t port, std::uint8_t raw,
                            CaioEventAddress* eventAddress, char** addressCopy,
                            std::int32_t timeLimit) {
    if (handle == nullptr) {
        return kCaioFailure;
    }
    const std::int32_t socket = socketFor(mode, port, raw);
    if (socket == kCaioFailure) {
        return kCaioFailure;
    }
    if (eventAddress != nullptr) {
        *eventAddress = CaioEventAddress{};
        eventAddress->kind = kEventAddressUSB;
    }
    const std::int32_t status = MultichannelOpen(asHandle(handle), socket, timeLimit);
    if (status == kCaioNoErr && addressCopy != nullptr) {
        *addressCopy = ::strdup(asHandle(handle)->context->address.c_str());
        if (*addressCopy == nullptr) {
            MultichannelClose(asHandle(handle));
            return kCaioFailure;
        }
    }
    return channelStatus(status);
}

std::int32_t caioUSBlibRead(void* handle, std::int32_t, void* buffer, std::uint64_t* count,
                            std::int32_t timeLimit) {
    if (handle == nullptr || buffer == nullptr || count == nullptr) {
        return kCaioFailure;
    }
    return channelStatus(
        MultichannelRead(asHandle(handle), static_cast<std::uint8_t*>(buffer), count, timeLimit));
}

std::int32_t caioUSBlibWrite(void* handle, std::int32_t, const void* buffer, std::uint64_t* count,
                             std::int32_t timeLimit) {
    if (handle == nullptr || buffer == nullptr || count == nullptr) {
        return kCaioFailure;
    }
    return channelStatus(MultichannelWrite(
        asHandle(handle), static_cast<const std::uint8_t*>(buffer), count, timeLimit));
}

std::int32_t caioUSBlibClose(void* handle, std::int32_t) {
    if (handle == nullptr) {
        return kCaioFailure;
    }
    MultichannelClose(asHandle(handle));
    return kCaioNoErr;
}

void caioUSBlibDestroy(void* handle) {
    if (handle == nullptr) {
        return;
    }
    std::unique_ptr<CaioUSBHandle> owned(asHandle(handle));
    if (owned->socket != 0) {
        MultichannelClose(owned.get());  // no channel outlives its handle
    }
    ContextCache& cache = contextCache();
    std::lock_guard lock(cache.mutex);
    for (CaioUSBContext*& slot : cache.slots) {
        if (slot == owned->context) {
            if (--slot->referenceCount == 0) {
                USBThreadClose(slot);
                delete slot;
                slot = nullptr;
            }
            return;
        }
    }
}
