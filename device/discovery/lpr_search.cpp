// The LPR search.
#include "discovery/lpr_search.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>

#include "address/printer_address.h"
#include "discovery/search_status.h"
#include "qdxa_protocol/codes.h"
#include "qdxa_protocol/packet_header.h"

namespace {

constexpr std::uint16_t kEchoSequence = 1;
// Bytes read of each answer: the header is all the search looks at.
constexpr std::size_t kAnswerBufferSize = 32;
constexpr std::chrono::milliseconds kDefaultTimeLimit{10000};
// Longer limits are cut to this (about 24 days) so that deadlines cannot overflow.
constexpr std::uint64_t kLongestTimeLimit = std::numeric_limits<std::int32_t>::max();
constexpr std::chrono::milliseconds kConfirmTimeLimit{3000};
constexpr std::uint32_t kAnyAddress = 0x00000000;
constexpr std::uint32_t kLimitedBroadcast = 0xFFFFFFFF;
constexpr std::uint8_t kBroadcastByte = 0xFF;

using Clock = std::chrono::steady_clock;

sockaddr_in socketAddress(std::uint32_t address, std::uint16_t port) {
    sockaddr_in result{};
    result.sin_family = AF_INET;
    result.sin_port = htons(port);
    result.sin_addr.s_addr = htonl(address);
    return result;
}

std::uint32_t contextAddress(const IOS_LPRSearchContext& context) {
    return static_cast<std::uint32_t>(context.address[0]) << 24 |
           static_cast<std::uint32_t>(context.address[1]) << 16 |
           static_cast<std::uint32_t>(context.address[2]) << 8 | context.address[3];
}

bool hasBroadcastByte(const IOS_LPRSearchContext& context) {
    return std::find(std::begin(context.address), std::end(context.address), kBroadcastByte) !=
           std::end(context.address);
}

std::chrono::milliseconds timeLimitOf(const IOS_LPRSearchContext& context) {
    if (context.timeLimit == 0) {
        return kDefaultTimeLimit;
    }
    return std::chrono::milliseconds(std::min(context.timeLimit, kLongestTimeLimit));
}

// Waits until the socket is readable or the deadline has passed; false when it has passed.
bool waitReadable(int socket, Clock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd wait{socket, POLLIN, 0};
        const int ready =
            ::poll(&wait, 1, static_cast<int>(std::min<long long>(left.count(), 1000)));
        if (ready > 0) {
            return true;
        }
        if (ready < 0 && errno != EINTR) {
            return false;
        }
    }
}

}  // namespace

EchoRequest LocalEchoRequest() {
    EchoRequest request{};
    qdxa::writeHeader(
        request.data(),
        {.flags = qdxa::kRequestFlags, .operation = qdxa::kOpEcho, .sequence = kEchoSequence});
    return request;
}

bool LocalIsEchoAnswer(std::span<const std::uint8_t> datagram) {
    const auto header = qdxa::readHeader(datagram);
    return header && datagram[0] == qdxa::kMagic0 && datagram[1] == qdxa::kMagic1 &&
           header->sequence == kEchoSequence;
}

LocalUDPEndpoint::~LocalUDPEndpoint() {
    if (socket_ >= 0) {
        ::close(socket_);
    }
}

std::int32_t LocalUDPEndpoint::open() {
    const int made = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (made < 0) {
        return kSearchSocketErr;
    }
    for (std::uint32_t port = kFirstSearchPort; port <= kLastSearchPort; ++port) {
        const sockaddr_in local = socketAddress(kAnyAddress, static_cast<std::uint16_t>(port));
        if (::bind(made, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0) {
            const int on = 1;
            if (::setsockopt(made, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0) {
                break;
            }
            socket_ = made;
            port_ = static_cast<std::uint16_t>(port);
            return kSearchNoErr;
        }
    }
    ::close(made);
    return kSearchSocketErr;
}

std::int32_t LocalSendLPRQDXAEcho(const LocalUDPEndpoint& endpoint, std::uint32_t address) {
    const EchoRequest request = LocalEchoRequest();
    const sockaddr_in target = socketAddress(address, kEchoPort);
    const ssize_t sent = ::sendto(endpoint.socket(), request.data(), request.size(), 0,
                                  reinterpret_cast<const sockaddr*>(&target), sizeof target);
    if (sent == static_cast<ssize_t>(request.size())) {
        return kSearchNoErr;
    }
    return sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) ? kSearchWouldBlock
                                                                 : kSearchSendErr;
}

std::int32_t LocalGetLPRIPAddressList(const LocalUDPEndpoint& endpoint, std::uint32_t address,
                                      bool oneHost, std::chrono::milliseconds timeLimit,
                                      std::vector<std::uint32_t>& found) {
    if (const std::int32_t sent = LocalSendLPRQDXAEcho(endpoint, address); sent != kSearchNoErr) {
        return sent;
    }
    const auto deadline = Clock::now() + timeLimit;
    bool added = false;
    std::array<std::uint8_t, kAnswerBufferSize> answer{};
    while (waitReadable(endpoint.socket(), deadline)) {
        sockaddr_in sender{};
        socklen_t senderSize = sizeof sender;
        const ssize_t received =
            ::recvfrom(endpoint.socket(), answer.data(), answer.size(), MSG_DONTWAIT,
                       reinterpret_cast<sockaddr*>(&sender), &senderSize);
        if (received < 0 || sender.sin_family != AF_INET || ntohs(sender.sin_port) != kEchoPort) {
            continue;
        }
        const std::uint32_t from = ntohl(sender.sin_addr.s_addr);
        if (oneHost && from != address) {
            continue;
        }
        // A datagram longer than the buffer comes cut to it; its header is all there is to see.
        const std::size_t size = std::min(static_cast<std::size_t>(received), answer.size());
        if (LocalIsEchoAnswer({answer.data(), size})) {
            if (std::find(found.begin(), found.end(), from) == found.end()) {
                found.push_back(from);
            }
            added = true;
        }
        if (oneHost) {
            break;
        }
    }
    return added ? kSearchNoErr : kSearchNoReply;
}

std::int32_t SearchLPRPrinterAddressList(const IOS_LPRSearchContext& context, cf::Value& entries) {
    const std::uint32_t address = contextAddress(context);
    const bool broadcast =
        context.directed == 0 || address == kAnyAddress || address == kLimitedBroadcast;
    LocalUDPEndpoint endpoint;
    if (const std::int32_t opened = endpoint.open(); opened != kSearchNoErr) {
        return opened;
    }
    std::vector<std::uint32_t> found;
    if (broadcast || hasBroadcastByte(context)) {
        const std::uint32_t target = broadcast ? kLimitedBroadcast : address;
        const std::int32_t code =
            LocalGetLPRIPAddressList(endpoint, target, false, timeLimitOf(context), found);
        if (code != kSearchNoErr && code != kSearchNoReply) {
            return code;
        }
    } else {
        found.push_back(address);
    }
    for (const std::uint32_t printer : found) {
        std::vector<std::uint32_t> confirmed;
        if (LocalGetLPRIPAddressList(endpoint, printer, true, kConfirmTimeLimit, confirmed) ==
            kSearchNoErr) {
            cf::Value entry = cf::Value::emptyDictionary();
            entry.set(kEntryKeyPrinterAddress, static_cast<std::int32_t>(printer));
            entries.append(std::move(entry));
        }
    }
    return kSearchNoErr;
}

std::int32_t sendLPRQDXAEchoBroadCast() {
    LocalUDPEndpoint endpoint;
    if (const std::int32_t opened = endpoint.open(); opened != kSearchNoErr) {
        return opened;
    }
    return LocalSendLPRQDXAEcho(endpoint, kLimitedBroadcast);
}
