// The network transport: print data over LPR or raw TCP, printer-control packets over UDP or TCP.
#include <signal.h>

#include <cstdlib>
#include <cstring>
#include <new>

#include "network/caiolib_internal.h"

namespace {

constexpr std::int32_t kMaxPort = 65535;

CaiolibContext* contextOf(void* handle) {
    return static_cast<CaiolibContext*>(handle);
}

std::int32_t openJobData(CaiolibContext& context, std::int32_t port, bool raw,
                         std::int32_t timeLimit) {
    if (!raw) {
        return zJobOpen(context, *context.address, kLprPort, timeLimit);
    }
    if (port <= 0 || port > kMaxPort) {
        return kCaioFailure;
    }
    return zJobOpen(context, *context.address, static_cast<std::uint16_t>(port), timeLimit);
}

std::int32_t openControlDatagram(CaiolibContext& context) {
    const std::string& address = *context.address;
    std::int32_t code = zInitSocket(address, kControlDatagramPort, kCaioModeControlDatagram, false,
                                    context.remoteAddresses);
    if (code == kCaioNoErr) {
        code = zDoSocket(address, context.remoteAddresses.front(), context.socket);
    }
    if (code != kCaioNoErr) {
        return code;
    }
    const int on = 1;
    if (::setsockopt(context.socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        ::setsockopt(context.socket, SOL_SOCKET, SO_REUSEPORT, &on, sizeof on) != 0) {
        return caiolibCodeFromCurrentErrno();
    }
    context.datagramBuffer.assign(kDatagramBufferSize, 0);
    context.datagramHeld = 0;
    return kCaioNoErr;
}

std::int32_t openControlStream(CaiolibContext& context, std::int32_t timeLimit) {
    const std::string& address = *context.address;
    std::int32_t code = zInitSocket(address, kControlStreamPort, kCaioModeControlStream, false,
                                    context.remoteAddresses);
    if (code == kCaioNoErr) {
        code = zDoSocket(address, context.remoteAddresses.front(), context.socket);
    }
    if (code == kCaioNoErr) {
        code = zConnect(context, timeLimit);
    }
    return code;
}

std::int32_t openInMode(CaiolibContext& context, std::int32_t mode, std::int32_t port, bool raw,
                        std::int32_t timeLimit) {
    switch (mode) {
        case kCaioModeJobData:
            return openJobData(context, port, raw, timeLimit);
        case kCaioModeControlDatagram:
            return openControlDatagram(context);
        case kCaioModeControlStream:
            return openControlStream(context, timeLimit);
        default:
            return kCaioFailure;
    }
}

}  // namespace

void* caiolibCreate(const char* address) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    if (::sigaction(SIGPIPE, &ignore, nullptr) != 0) {
        return nullptr;
    }
    auto* context = new (std::nothrow) CaiolibContext;
    if (context == nullptr) {
        return nullptr;
    }
    try {
        if (address != nullptr) {
            context->address = address;
        }
    } catch (const std::bad_alloc&) {
        delete context;
        return nullptr;
    }
    return context;
}

std::int32_t caiolibOpen(void* handle, std::int32_t mode, std::int32_t port, std::uint8_t raw,
                         CaioEventAddress* eventAddress, char** addressCopy,
                         std::int32_t timeLimit) {
    if (eventAddress != nullptr) {
        *eventAddress = CaioEventAddress{};
    }
    if (handle == nullptr) {
        return kCaioFailure;
    }
    CaiolibContext& context = *contextOf(handle);
    // An open handle is never opened over: the second open fails and ends the first.
    if (context.isOpen) {
        zCleanupContext(context);
        return kCaioFailure;
    }
    // A handle made without an address has nowhere to connect to.
    if (!context.address) {
        return kCaioFailure;
    }

    std::int32_t code = kCaioFailure;
    char* copy = nullptr;
    try {
        code = openInMode(context, mode, port, raw != 0, timeLimit);
        if (code == kCaioNoErr && eventAddress != nullptr) {
            caiolibOpenEventPort(context, mode, *eventAddress);
        }
    } catch (const std::bad_alloc&) {
        code = kCaioFailure;
    }
    if (code == kCaioNoErr && addressCopy != nullptr) {
        copy = ::strdup(context.address->c_str());
        if (copy == nullptr) {
            code = kCaioFailure;
        }
    }
    if (code != kCaioNoErr) {
        zCleanupContext(context);
        if (eventAddress != nullptr) {
            *eventAddress = CaioEventAddress{};
        }
        return caiolibStatus(code);
    }
    context.isOpen = true;
    context.openMode = mode;
    if (addressCopy != nullptr) {
        *addressCopy = copy;
    }
    return kCaioNoErr;
}

std::int32_t caiolibRead(void* handle, std::int32_t /*mode*/, void* buffer, std::uint64_t* count,
                         std::int32_t timeLimit) {
    if (handle == nullptr || buffer == nullptr || count == nullptr) {
        return kCaioFailure;
    }
    CaiolibContext& context = *contextOf(handle);
    if (!context.isOpen) {
        return kCaioFailure;
    }
    switch (context.openMode) {
        case kCaioModeControlDatagram:
            return caiolibStatus(
                zDataTransfer(context, kDatagramReceive, buffer, *count, timeLimit));
        case kCaioModeControlStream: {
            // Nothing within the limit, or a closed connection, reads as nothing delivered.
            const std::int32_t code =
                zDataTransfer(context, kStreamReceive, buffer, *count, timeLimit);
            return code == kCaioCodeTimedOut ? kCaioNoErr : caiolibStatus(code);
        }
        default:
            return kCaioFailure;  // job data is never read back
    }
}

std::int32_t caiolibWrite(void* handle, std::int32_t /*mode*/, const void* buffer,
                          std::uint64_t* count, std::int32_t timeLimit) {
    if (handle == nullptr || buffer == nullptr || count == nullptr) {
        return kCaioFailure;
    }
    CaiolibContext& context = *contextOf(handle);
    if (!context.isOpen) {
        return kCaioFailure;
    }
    void* bytes = const_cast<void*>(buffer);  // the send directions only read the buffer
    if (context.openMode == kCaioModeControlDatagram) {
        return caiolibStatus(zDataTransfer(context, kDatagramSend, bytes, *count, timeLimit));
    }
    // A stream write that makes no progress reports 0 bytes; the caller's loop decides.
    const std::int32_t code = zDataTransfer(context, kStreamSend, bytes, *count, timeLimit);
    return code == kCaioCodeTimedOut ? kCaioNoErr : caiolibStatus(code);
}

std::int32_t caiolibClose(void* handle, std::int32_t /*mode*/) {
    if (handle == nullptr) {
        return kCaioFailure;
    }
    zCleanupContext(*contextOf(handle));
    return kCaioNoErr;
}

void caiolibDestroy(void* handle) {
    if (handle == nullptr) {
        return;
    }
    zCleanupContext(*contextOf(handle));
    delete contextOf(handle);
}
