// Connecting the network transport's socket within a time limit.
#include <fcntl.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "network/caiolib_internal.h"
#include "qdxa_protocol/time_unit.h"

namespace {

// Waits up to `milliseconds` for the connect in progress: 60 when nothing happened, -1 when the
// wait failed, otherwise 0 with the socket's pending error in `pending`.
std::int32_t pollConnect(int socket, int milliseconds, int& pending) {
    pollfd entry{socket, POLLOUT, 0};
    int ready = 0;
    do {
        ready = ::poll(&entry, 1, milliseconds);
    } while (ready < 0 && errno == EINTR);
    if (ready == 0) {
        return kCaioCodeTimedOut;
    }
    if (ready < 0) {
        return kCaioFailure;
    }
    socklen_t length = sizeof pending;
    if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, &pending, &length) != 0) {
        pending = errno;
    }
    return kCaioNoErr;
}

// The connect is in progress. A refusal that is already known when connect returns (Linux
// reports even a loopback refusal this way) counts as immediate; otherwise the connect is waited
// for and the socket's pending error decides.
std::int32_t finishConnect(int socket, std::int32_t timeLimit) {
    if (timeLimit < 0) {
        return kCaioFailure;
    }
    int pending = 0;
    if (pollConnect(socket, 0, pending) == kCaioNoErr && pending == ECONNREFUSED) {
        return kCaioCodeNotConnected;
    }
    const int waitMilliseconds = static_cast<int>(std::min<std::int64_t>(
        std::chrono::milliseconds(qdxa::Hundredths{timeLimit}).count(), INT_MAX));
    const std::int32_t code = pollConnect(socket, waitMilliseconds, pending);
    if (code != kCaioNoErr) {
        return code;
    }
    return pending == 0 ? kCaioNoErr : caiolibCodeFromErrno(pending);
}

}  // namespace

std::int32_t zSetBlockMode(int socket, int flags) {
    return ::fcntl(socket, F_SETFL, flags) == 0 ? kCaioNoErr : caiolibCodeFromCurrentErrno();
}

std::int32_t zConnect(CaiolibContext& context, std::int32_t timeLimit) {
    const int socket = context.socket;
    if (const std::int32_t code = zSetBlockMode(socket, O_NONBLOCK); code != kCaioNoErr) {
        return code;
    }
    const ResolvedAddress& remote = context.remoteAddresses.front();
    std::int32_t result = kCaioNoErr;
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&remote.address), remote.length) != 0) {
        // A refusal or reset at once has its own code; anything else is waited for.
        if (errno == ECONNREFUSED) {
            result = kCaioCodeNotConnected;
        } else if (errno == ECONNRESET) {
            result = kCaioCodeReset;
        } else {
            result = finishConnect(socket, timeLimit);
        }
    }
    zSetBlockMode(socket, 0);
    return result;
}
