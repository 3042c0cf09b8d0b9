// A printer on a loopback address of its own, for tests.
#include "printer/test_printer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "printer/printer_connection.h"
#include "printer/printer_lpr.h"

namespace testsupport {
namespace {

constexpr int kFirstHost = 2;  // 127.0.0.1 is left to everything else
constexpr int kHostCount = 252;
constexpr int kListenBacklog = 16;
constexpr std::size_t kMaxDatagram = 65536;
constexpr std::chrono::milliseconds kPollStep{10};

std::atomic<int> printersStarted{0};

// A datagram socket bound to a broadcast address that other printers may bind as well.
int bindBroadcastSocket(const std::string& address, std::uint16_t port) {
    sockaddr_in bound{};
    bound.sin_family = AF_INET;
    bound.sin_port = htons(port);
    if (::inet_pton(AF_INET, address.c_str(), &bound.sin_addr) != 1) {
        errno = EINVAL;
        return -1;
    }
    const int made = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    if (made < 0 || ::setsockopt(made, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        ::bind(made, reinterpret_cast<const sockaddr*>(&bound), sizeof bound) != 0) {
        const int error = errno;
        if (made >= 0) {
            ::close(made);
        }
        errno = error;
        return -1;
    }
    return made;
}

sockaddr_in loopback(int host, std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr =
        htonl((INADDR_LOOPBACK & 0xffffff00u) | static_cast<std::uint32_t>(host));
    return address;
}

// A socket bound to 127.0.0.host:port (listening for streams); -1 with errno set on failure.
int bindSocket(int host, std::uint16_t port, int type) {
    const int made = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
    if (made < 0) {
        return -1;
    }
    const int on = 1;
    // Only streams reuse: a datagram socket with SO_REUSEADDR would share its port.
    if (type == SOCK_STREAM) {
        ::setsockopt(made, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    }
    const sockaddr_in address = loopback(host, port);
    if (::bind(made, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        (type == SOCK_STREAM && ::listen(made, kListenBacklog) != 0)) {
        const int error = errno;
        ::close(made);
        errno = error;
        return -1;
    }
    return made;
}

void closeSocket(int& socket) {
    if (socket >= 0) {
        ::close(socket);
        socket = -1;
    }
}

bool isReadable(int socket) {
    pollfd wait{socket, POLLIN, 0};
    return ::poll(&wait, 1, 0) > 0 && (wait.revents & POLLIN) != 0;
}

}  // namespace

TestPrinter::TestPrinter(TestPrinterOptions options) : options_(std::move(options)) {}

TestPrinter::~TestPrinter() {
    stop();
}

std::string TestPrinter::address() const {
    return "127.0.0." + std::to_string(host_);
}

bool TestPrinter::start() {
    int wake[2];
    if (::pipe2(wake, O_CLOEXEC) != 0) {
        error_ = std::string("cannot make the wake pipe: ") + std::strerror(errno);
        return false;
    }
    wakeRead_ = wake[0];
    wakeWrite_ = wake[1];

    // Another process or printer may hold a host already: try the next one.
    bool bound = false;
    if (options_.loopbackHost != 0) {
        bound = bindAll(options_.loopbackHost);
    } else {
        const int first = (static_cast<int>(::getpid()) + 97 * printersStarted++) % kHostCount;
        int error = EADDRINUSE;
        for (int step = 0; step < kHostCount && !bound && error == EADDRINUSE; ++step) {
            bound = bindAll(kFirstHost + (first + step) % kHostCount);
            error = errno;
        }
    }
    if (!bound) {
        stop();
        return false;
    }
    threads_.emplace_back([this] { serveLpr(); });
    threads_.emplace_back([this] { serveControlDatagrams(); });
    threads_.emplace_back([this] { serveControlStream(); });
    if (rawListener_ >= 0) {
        threads_.emplace_back([this] { serveRaw(); });
    }
    return true;
}

// Binds every port on 127.0.0.host; on failure errno tells why and error_ says which port.
bool TestPrinter::bindAll(int host) {
    struct Port {
        int* socket;
        std::uint16_t number;
        int type;
    };
    std::vector<Port> ports = {{&lprListener_, kTestPrinterLprPort, SOCK_STREAM},
                               {&datagramSocket_, kTestPrinterControlDatagramPort, SOCK_DGRAM},
                               {&streamListener_, kTestPrinterControlStreamPort, SOCK_STREAM}};
    if (options_.rawPort != 0) {
        ports.push_back({&rawListener_, options_.rawPort, SOCK_STREAM});
    }
    for (const Port& port : ports) {
        *port.socket = bindSocket(host, port.number, port.type);
        if (*port.socket < 0) {
            const int error = errno;
            error_ = "test printer cannot bind 127.0.0." + std::to_string(host) + ":" +
                     std::to_string(port.number) + ": " + std::strerror(error);
            closeListeners();
            errno = error;
            return false;
        }
    }
    for (const std::string& broadcast : options_.broadcastAddresses) {
        const int socket = bindBroadcastSocket(broadcast, kTestPrinterControlDatagramPort);
        if (socket < 0) {
            const int error = errno;
            error_ = "test printer cannot bind " + broadcast + ":" +
                     std::to_string(kTestPrinterControlDatagramPort) + ": " + std::strerror(error);
            closeListeners();
            errno = error;
            return false;
        }
        broadcastSockets_.push_back(socket);
    }
    host_ = host;
    error_.clear();
    return true;
}

void TestPrinter::closeListeners() {
    closeSocket(lprListener_);
    closeSocket(rawListener_);
    closeSocket(datagramSocket_);
    closeSocket(streamListener_);
    for (int& socket : broadcastSockets_) {
        closeSocket(socket);
    }
    broadcastSockets_.clear();
}

void TestPrinter::stop() {
    if (wakeWrite_ >= 0) {
        const char wake = 1;
        [[maybe_unused]] const ssize_t written = ::write(wakeWrite_, &wake, 1);
    }
    for (std::thread& thread : threads_) {
        thread.join();
    }
    threads_.clear();
    closeListeners();
    closeSocket(wakeRead_);
    closeSocket(wakeWrite_);
}

template <class Serve>
void TestPrinter::acceptLoop(int listener, Serve serve) {
    for (;;) {
        pollfd waits[2] = {{listener, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (::poll(waits, 2, -1) < 0 && errno != EINTR) {
            return;
        }
        if ((waits[1].revents & POLLIN) != 0) {
            return;
        }
        if ((waits[0].revents & POLLIN) == 0) {
            continue;
        }
        // Counted before the accept, so that waitForIdle never sees a gap.
        {
            std::lock_guard lock(mutex_);
            ++openConnections_;
        }
        const int socket = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (socket >= 0) {
            PrinterConnection connection(socket, wakeRead_);
            serve(connection);
        }
        std::lock_guard lock(mutex_);
        --openConnections_;
        changed_.notify_all();
    }
}

void TestPrinter::serveLpr() {
    acceptLoop(lprListener_, [this](PrinterConnection& connection) {
        addJob(receiveLprJob(connection, options_.lprAcknowledgement,
                             options_.lprCloseAfterReceiveJob));
    });
}

void TestPrinter::serveRaw() {
    acceptLoop(rawListener_, [this](PrinterConnection& connection) {
        PrinterJob job;
        connection.readToEnd(job.data);
        addJob(std::move(job));
    });
}

// Datagrams to the printer's own address and to its broadcast addresses; every answer goes out
// from its own address.
void TestPrinter::serveControlDatagrams() {
    std::vector<std::uint8_t> buffer(kMaxDatagram);
    std::vector<pollfd> waits{{wakeRead_, POLLIN, 0}, {datagramSocket_, POLLIN, 0}};
    for (const int socket : broadcastSockets_) {
        waits.push_back({socket, POLLIN, 0});
    }
    for (;;) {
        if ((::poll(waits.data(), waits.size(), -1) < 0 && errno != EINTR) ||
            (waits[0].revents & POLLIN) != 0) {
            return;
        }
        for (std::size_t i = 1; i < waits.size(); ++i) {
            if ((waits[i].revents & POLLIN) != 0) {
                answerDatagram(waits[i].fd, buffer);
            }
        }
    }
}

void TestPrinter::answerDatagram(int socket, std::vector<std::uint8_t>& buffer) {
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    const ssize_t received = ::recvfrom(socket, buffer.data(), buffer.size(), MSG_DONTWAIT,
                                        reinterpret_cast<sockaddr*>(&peer), &length);
    if (received < 0) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        lastDatagramPeer_ = peer;
    }
    const ControlReply reply =
        respond({ControlChannel::kDatagram,
                 std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + received)});
    if (!reply.bytes.empty()) {
        ::sendto(datagramSocket_, reply.bytes.data(), reply.bytes.size(), 0,
                 reinterpret_cast<const sockaddr*>(&peer), sizeof peer);
    }
}

void TestPrinter::serveControlStream() {
    acceptLoop(streamListener_, [this](PrinterConnection& connection) {
        if (!options_.readControlStream) {
            pollfd wait{wakeRead_, POLLIN, 0};
            ::poll(&wait, 1, -1);
            return;
        }
        std::string chunk;
        while (connection.readSome(chunk)) {
            const ControlReply reply = respond(
                {ControlChannel::kStream, std::vector<std::uint8_t>(chunk.begin(), chunk.end())});
            chunk.clear();
            if (!connection.writeAll(reply.bytes) || reply.closeConnection) {
                return;
            }
        }
    });
}

void TestPrinter::addJob(PrinterJob job) {
    std::lock_guard lock(mutex_);
    jobs_.push_back(std::move(job));
    changed_.notify_all();
}

ControlReply TestPrinter::respond(ControlMessage message) {
    {
        std::lock_guard lock(mutex_);
        controlMessages_.push_back(message);
        changed_.notify_all();
    }
    return options_.responder ? options_.responder(message) : ControlReply{};
}

bool TestPrinter::waitForJobs(std::size_t count, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return jobs_.size() >= count; });
}

std::vector<PrinterJob> TestPrinter::jobs() const {
    std::lock_guard lock(mutex_);
    return jobs_;
}

bool TestPrinter::waitForControlMessages(std::size_t count, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return controlMessages_.size() >= count; });
}

std::vector<ControlMessage> TestPrinter::controlMessages() const {
    std::lock_guard lock(mutex_);
    return controlMessages_;
}

std::optional<sockaddr_in> TestPrinter::lastDatagramPeer() const {
    std::lock_guard lock(mutex_);
    return lastDatagramPeer_;
}

bool TestPrinter::sendDatagram(std::span<const std::uint8_t> bytes) {
    const std::optional<sockaddr_in> peer = lastDatagramPeer();
    if (!peer) {
        return false;
    }
    const ssize_t sent = ::sendto(datagramSocket_, bytes.data(), bytes.size(), 0,
                                  reinterpret_cast<const sockaddr*>(&*peer), sizeof *peer);
    return sent == static_cast<ssize_t>(bytes.size());
}

// Idle: no connection waiting to be accepted and none being served. The listeners are looked at
// first: a connection is counted before it leaves the listener's queue.
bool TestPrinter::waitForIdle(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        bool idle = true;
        for (const int listener : {lprListener_, rawListener_, streamListener_}) {
            idle = idle && !(listener >= 0 && isReadable(listener));
        }
        {
            std::lock_guard lock(mutex_);
            idle = idle && openConnections_ == 0;
        }
        if (idle) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kPollStep);
    }
}

}  // namespace testsupport
