// A private network for tests.
#include "private_network.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace nettest {

namespace {

constexpr const char* kLoopback = "lo";

std::string failure(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// A socket closed with the object.
struct Socket {
    int descriptor;
    ~Socket() {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
    }
};

bool bringLoopbackUp(std::string& error) {
    Socket socket{::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)};
    ifreq request{};
    std::strncpy(request.ifr_name, kLoopback, IFNAMSIZ - 1);
    if (socket.descriptor < 0 || ::ioctl(socket.descriptor, SIOCGIFFLAGS, &request) != 0) {
        error = failure("cannot read the loopback interface");
        return false;
    }
    request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP);
    if (::ioctl(socket.descriptor, SIOCSIFFLAGS, &request) != 0) {
        error = failure("cannot bring the loopback interface up");
        return false;
    }
    return true;
}

// The route "255.255.255.255/32 dev lo src 127.0.0.1" through rtnetlink: without it a datagram
// to the limited broadcast address has no route in a network of the loopback interface alone.
bool addBroadcastRoute(std::string& error) {
    struct Request {
        nlmsghdr header;
        rtmsg route;
        char attributes[64];
    } request{};
    request.header.nlmsg_len = NLMSG_LENGTH(sizeof(rtmsg));
    request.header.nlmsg_type = RTM_NEWROUTE;
    request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_CREATE | NLM_F_EXCL | NLM_F_ACK;
    request.route.rtm_family = AF_INET;
    request.route.rtm_dst_len = 32;
    request.route.rtm_table = RT_TABLE_MAIN;
    request.route.rtm_protocol = RTPROT_BOOT;
    request.route.rtm_scope = RT_SCOPE_LINK;
    request.route.rtm_type = RTN_UNICAST;
    const auto addAttribute = [&request](unsigned short type, const void* data, std::size_t size) {
        auto* attribute = reinterpret_cast<rtattr*>(reinterpret_cast<char*>(&request) +
                                                    NLMSG_ALIGN(request.header.nlmsg_len));
        attribute->rta_type = type;
        attribute->rta_len = static_cast<unsigned short>(RTA_LENGTH(size));
        std::memcpy(RTA_DATA(attribute), data, size);
        request.header.nlmsg_len =
            NLMSG_ALIGN(request.header.nlmsg_len) + RTA_ALIGN(attribute->rta_len);
    };
    const in_addr_t destination = htonl(INADDR_BROADCAST);
    const in_addr_t source = htonl(INADDR_LOOPBACK);
    const int interface = static_cast<int>(::if_nametoindex(kLoopback));
    addAttribute(RTA_DST, &destination, sizeof destination);
    addAttribute(RTA_PREFSRC, &source, sizeof source);
    addAttribute(RTA_OIF, &interface, sizeof interface);

    Socket socket{::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE)};
    if (socket.descriptor < 0 ||
        ::send(socket.descriptor, &request, request.header.nlmsg_len, 0) < 0) {
        error = failure("cannot ask for the broadcast route");
        return false;
    }
    struct {
        nlmsghdr header;
        nlmsgerr answer;
    } acknowledgement{};
    const ssize_t received = ::recv(socket.descriptor, &acknowledgement, sizeof acknowledgement, 0);
    if (received < static_cast<ssize_t>(sizeof acknowledgement) ||
        acknowledgement.header.nlmsg_type != NLMSG_ERROR || acknowledgement.answer.error != 0) {
        errno = received < 0 ? errno : -acknowledgement.answer.error;
        error = failure("cannot add the broadcast route");
        return false;
    }
    return true;
}

}  // namespace

PrivateNetwork::PrivateNetwork() {
    formerNamespace_ = ::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
    if (formerNamespace_ < 0) {
        error_ = failure("cannot open this thread's network namespace");
        return;
    }
    if (::unshare(CLONE_NEWNET) != 0) {
        error_ = failure("network namespaces cannot be made");
        return;
    }
    entered_ = true;
    if (!setUp()) {
        entered_ = false;
        ::setns(formerNamespace_, CLONE_NEWNET);
    }
}

PrivateNetwork::~PrivateNetwork() {
    if (entered_) {
        ::setns(formerNamespace_, CLONE_NEWNET);
    }
    if (formerNamespace_ >= 0) {
        ::close(formerNamespace_);
    }
}

bool PrivateNetwork::setUp() {
    return bringLoopbackUp(error_) && addBroadcastRoute(error_);
}

}  // namespace nettest
