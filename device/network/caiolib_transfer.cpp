// Moving bytes over the network transport's socket: stream and datagram, send and receive.
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "network/caiolib_internal.h"
#include "qdxa_protocol/time_unit.h"

namespace {

constexpr std::int32_t kCodeNotPermitted = 1;  // EPERM in the library's numbering

// Applies a time limit to the socket only when it differs from the one applied last.
std::int32_t applyTimeLimit(int socket, int option, std::int32_t timeLimit,
                            std::int32_t& lastApplied) {
    if (timeLimit == lastApplied) {
        return kCaioNoErr;
    }
    const timeval limit = qdxa::toTimeval(qdxa::Hundredths{timeLimit});
    if (::setsockopt(socket, SOL_SOCKET, option, &limit, sizeof limit) != 0) {
        return caiolibCodeFromCurrentErrno();
    }
    lastApplied = timeLimit;
    return kCaioNoErr;
}

std::int32_t streamReceive(CaiolibContext& context, void* buffer, std::uint64_t& count) {
    const ssize_t received = ::recv(context.socket, buffer, count, 0);
    if (received <= 0) {
        return kCaioCodeTimedOut;  // nothing within the limit, or the peer closed
    }
    count = static_cast<std::uint64_t>(received);
    return kCaioNoErr;
}

std::int32_t sendOnce(CaiolibContext& context, bool datagram, const void* buffer,
                      std::uint64_t& count) {
    const ResolvedAddress& remote = context.remoteAddresses.front();
    const ssize_t sent =
        datagram ? ::sendto(context.socket, buffer, count, MSG_NOSIGNAL,
                            reinterpret_cast<const sockaddr*>(&remote.address), remote.length)
                 : ::send(context.socket, buffer, count, MSG_NOSIGNAL);
    if (sent > 0) {
        count = static_cast<std::uint64_t>(sent);
        return kCaioNoErr;
    }
    const int error = errno;
    count = 0;
    if (sent == 0) {
        return kCaioCodeTimedOut;
    }
    // A refused send fails this transfer only; the library never ends its host process.
    if (error == EPERM) {
        return kCodeNotPermitted;
    }
    return error == EPIPE ? kCaioCodeBrokenPipe : kCaioCodeTimedOut;
}

// The same family, port and address bytes; IPv6 flow label and scope are not compared.
bool isFromRemote(const sockaddr_storage& from, const ResolvedAddress& remote) {
    if (from.ss_family != remote.address.ss_family) {
        return false;
    }
    if (from.ss_family == AF_INET) {
        const auto& a = reinterpret_cast<const sockaddr_in&>(from);
        const auto& b = reinterpret_cast<const sockaddr_in&>(remote.address);
        return a.sin_port == b.sin_port && a.sin_addr.s_addr == b.sin_addr.s_addr;
    }
    if (from.ss_family == AF_INET6) {
        const auto& a = reinterpret_cast<const sockaddr_in6&>(from);
        const auto& b = reinterpret_cast<const sockaddr_in6&>(remote.address);
        return a.sin6_port == b.sin6_port &&
               std::memcmp(&a.sin6_addr, &b.sin6_addr, sizeof a.sin6_addr) == 0;
    }
    return false;
}

// Receives until a datagram comes from the remote address; others are dropped. Each receive
// waits up to the limit, and no receive starts once the limit has passed since the first, so a
// stream of stray datagrams cannot hold the read forever.
std::int32_t receiveDatagram(CaiolibContext& context, std::int32_t timeLimit) {
    std::vector<std::uint8_t>& held = context.datagramBuffer;
    const auto deadline = std::chrono::steady_clock::now() + qdxa::Hundredths{timeLimit};
    for (;;) {
        sockaddr_storage from{};
        socklen_t length = sizeof from;
        const ssize_t received = ::recvfrom(context.socket, held.data(), held.size(), 0,
                                            reinterpret_cast<sockaddr*>(&from), &length);
        if (received <= 0) {
            return kCaioCodeTimedOut;
        }
        if (!isFromRemote(from, context.remoteAddresses.front())) {
            if (std::chrono::steady_clock::now() >= deadline) {
                return kCaioCodeTimedOut;
            }
            continue;
        }
        // A datagram that fills the whole buffer may have been cut short.
        if (static_cast<std::size_t>(received) >= held.size()) {
            return kCaioFailure;
        }
        context.datagramHeld = static_cast<std::size_t>(received);
        return kCaioNoErr;
    }
}

// Delivers held bytes first; what the caller has no room for stays at the front.
std::int32_t datagramReceive(CaiolibContext& context, void* buffer, std::uint64_t& count,
                             std::int32_t timeLimit) {
    if (context.datagramHeld == 0) {
        if (const std::int32_t code = receiveDatagram(context, timeLimit); code != kCaioNoErr) {
            return code;
        }
    }
    std::uint8_t* held = context.datagramBuffer.data();
    const std::size_t delivered =
        static_cast<std::size_t>(std::min<std::uint64_t>(count, context.datagramHeld));
    std::memcpy(buffer, held, delivered);
    std::memmove(held, held + delivered, context.datagramHeld - delivered);
    context.datagramHeld -= delivered;
    count = delivered;
    return kCaioNoErr;
}

}  // namespace

std::int32_t zDataTransfer(CaiolibContext& context, CaiolibDirection direction, void* buffer,
                           std::uint64_t& count, std::int32_t timeLimit) {
    const bool sending = direction == kStreamSend || direction == kDatagramSend;
    const std::int32_t applied =
        sending
            ? applyTimeLimit(context.socket, SO_SNDTIMEO, timeLimit, context.lastSendTimeLimit)
            : applyTimeLimit(context.socket, SO_RCVTIMEO, timeLimit, context.lastReceiveTimeLimit);
    if (applied != kCaioNoErr) {
        return applied;
    }
    switch (direction) {
        case kStreamReceive:
            return streamReceive(context, buffer, count);
        case kStreamSend:
            return sendOnce(context, false, buffer, count);
        case kDatagramSend:
            return sendOnce(context, true, buffer, count);
        case kDatagramReceive:
            return datagramReceive(context, buffer, count, timeLimit);
    }
    return kCaioFailure;
}
