// Reads and writes on one connection of the test printer.
#include "printer/printer_connection.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace testsupport {

PrinterConnection::PrinterConnection(int socket, int wakeSocket)
    : socket_(socket), wakeSocket_(wakeSocket) {}

PrinterConnection::~PrinterConnection() {
    ::close(socket_);
}

bool PrinterConnection::fill() {
    pollfd waits[2] = {{socket_, POLLIN, 0}, {wakeSocket_, POLLIN, 0}};
    if (::poll(waits, 2, -1) < 0 || (waits[1].revents & POLLIN) != 0) {
        return false;
    }
    char chunk[kChunk];
    const ssize_t received = ::recv(socket_, chunk, sizeof chunk, 0);
    if (received <= 0) {
        return false;
    }
    pending_.append(chunk, static_cast<std::size_t>(received));
    if (keepTranscript_) {
        transcript_.append(chunk, static_cast<std::size_t>(received));
    }
    return true;
}

std::string PrinterConnection::take(std::size_t count) {
    std::string taken = pending_.substr(0, count);
    pending_.erase(0, count);
    return taken;
}

bool PrinterConnection::readSome(std::string& into, std::size_t limit) {
    if (pending_.empty() && !fill()) {
        return false;
    }
    into += take(limit);
    return true;
}

bool PrinterConnection::readLine(std::string& line) {
    std::size_t end = pending_.find('\n');
    while (end == std::string::npos) {
        if (!fill()) {
            return false;
        }
        end = pending_.find('\n');
    }
    line = take(end + 1);
    return true;
}

bool PrinterConnection::readExactly(std::size_t count, std::string& out) {
    while (pending_.size() < count) {
        if (!fill()) {
            return false;
        }
    }
    out = take(count);
    return true;
}

void PrinterConnection::readToEnd(std::string& out, std::size_t limit) {
    while (out.size() < limit && readSome(out, limit - out.size())) {
    }
}

bool PrinterConnection::writeAll(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0) {
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(sent));
    }
    return true;
}

}  // namespace testsupport
