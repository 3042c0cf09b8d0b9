// Statuses, error codes and clean-up of a network transport context.
#include <unistd.h>

#include <cerrno>

#include "network/caiolib_internal.h"
#include "transport/caio_errno.h"

std::int32_t caiolibStatus(std::int32_t code) {
    if (code == kCaioNoErr || code == kCaioFailure) {
        return code;
    }
    return code | kCaioCodeBit;
}

std::int32_t caiolibCodeFromErrno(int error) {
    const std::int32_t code = caioCodeFromErrno(error);
    return code != 0 ? code : kCaioFailure;
}

std::int32_t caiolibCodeFromCurrentErrno() {
    return caiolibCodeFromErrno(errno);
}

void zCleanupContext(CaiolibContext& context) {
    context.isOpen = false;
    context.openMode = kCaioModeJobData;
    if (context.socket != kNoSocket) {
        ::close(context.socket);
        context.socket = kNoSocket;
    }
    context.remoteAddresses.clear();
    context.remoteAddresses.shrink_to_fit();
    context.datagramBuffer.clear();
    context.datagramBuffer.shrink_to_fit();
    context.datagramHeld = 0;
    context.lastSendTimeLimit = 0;
    context.lastReceiveTimeLimit = 0;
    zCleanupContextEventPort(context);
}
