// Event sockets: the listener and the sender.
#include "events/event_socket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "cf/folders.h"
#include "events/event_codec.h"

namespace events {
namespace {

using Clock = std::chrono::steady_clock;

constexpr mode_t kPrivateFolder = 0700;
constexpr mode_t kPrivateFile = 0600;
constexpr int kBacklog = 64;

class UniqueFd {
  public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    ~UniqueFd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

std::optional<sockaddr_un> addressOf(const std::filesystem::path& socket) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string& text = socket.native();
    if (text.empty() || text.size() >= sizeof(address.sun_path)) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    return address;
}

// Waits until `fd` is ready for `events` or the deadline passes.
bool waitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() < 0) {
            return false;
        }
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(left.count()));
        if (ready > 0) {
            return true;
        }
        if (ready < 0 && errno != EINTR) {
            return false;
        }
    }
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes, Clock::time_point deadline) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            if (!waitFor(fd, POLLOUT, deadline)) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

enum class ReadStatus { kOk, kTimedOut, kFailed };

ReadStatus readExactly(int fd, std::uint8_t* out, std::size_t size, Clock::time_point deadline) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::recv(fd, out + done, size - done, 0);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            if (!waitFor(fd, POLLIN, deadline)) {
                return ReadStatus::kTimedOut;
            }
        } else {
            return ReadStatus::kFailed;  // closed early, or an error
        }
    }
    return ReadStatus::kOk;
}

// One whole message: its header, then exactly the body it announces.
std::optional<Event> readEvent(int fd, Clock::time_point deadline, ReadStatus& status) {
    std::uint8_t header[kMessageHeaderBytes];
    status = readExactly(fd, header, sizeof(header), deadline);
    if (status != ReadStatus::kOk) {
        return std::nullopt;
    }
    const auto length = bodyLengthOf(header);
    if (!length) {
        status = ReadStatus::kFailed;
        return std::nullopt;
    }
    std::vector<std::uint8_t> body(*length);
    status = readExactly(fd, body.data(), body.size(), deadline);
    if (status != ReadStatus::kOk) {
        return std::nullopt;
    }
    auto event = decodeEventBody(body);
    if (!event) {
        status = ReadStatus::kFailed;
    }
    return event;
}

bool fromSameUser(int connection) {
    ucred peer{};
    socklen_t size = sizeof(peer);
    return ::getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == ::geteuid();
}

// A folder of our own: made owner-only when missing, and refused when another user owns it or
// it is no folder.
std::optional<std::filesystem::path> privateFolder(const std::filesystem::path& folder) {
    if (::mkdir(folder.c_str(), kPrivateFolder) != 0 && errno != EEXIST) {
        return std::nullopt;
    }
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::geteuid()) {
        return std::nullopt;
    }
    return folder;
}

}  // namespace

std::optional<std::filesystem::path> socketFolder() {
    for (const char* variable : {kSocketFolderVariable, "XDG_RUNTIME_DIR"}) {
        const char* folder = std::getenv(variable);
        if (folder != nullptr && folder[0] == '/') {
            return std::filesystem::path(folder);
        }
    }
    return privateFolder(cf::Folders::temporary() / ("stratoline-" + std::to_string(::geteuid())));
}

SendStatus sendEvent(const std::filesystem::path& socket, const Event& event, Event* reply,
                     std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    const auto address = addressOf(socket);
    const std::vector<std::uint8_t> message = encodeEvent(event);
    if (!address || message.empty() || (event.wantsReply && reply == nullptr)) {
        return SendStatus::kFailed;
    }
    UniqueFd connection(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (connection.get() < 0) {
        return SendStatus::kFailed;
    }
    if (::connect(connection.get(), reinterpret_cast<const sockaddr*>(&*address),
                  sizeof(*address)) != 0) {
        return errno == ENOENT || errno == ECONNREFUSED ? SendStatus::kNoListener
                                                        : SendStatus::kFailed;
    }
    if (!writeAll(connection.get(), message, deadline)) {
        return SendStatus::kFailed;
    }
    if (!event.wantsReply) {
        return SendStatus::kOk;
    }
    ReadStatus status = ReadStatus::kOk;
    auto answer = readEvent(connection.get(), deadline, status);
    if (!answer) {
        return status == ReadStatus::kTimedOut ? SendStatus::kTimedOut : SendStatus::kBadReply;
    }
    *reply = std::move(*answer);
    return SendStatus::kOk;
}

std::unique_ptr<EventListener> EventListener::open(const std::filesystem::path& socket,
                                                   OpenStatus& status) {
    status = OpenStatus::kFailed;
    const auto address = addressOf(socket);
    if (!address) {
        return nullptr;
    }
    const std::string lockPath = socket.native() + ".lock";
    UniqueFd lock(
        ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, kPrivateFile));
    if (lock.get() < 0) {
        return nullptr;
    }
    if (::flock(lock.get(), LOCK_EX | LOCK_NB) != 0) {
        status = errno == EWOULDBLOCK ? OpenStatus::kInUse : OpenStatus::kFailed;
        return nullptr;
    }
    // Holding the lock, any socket file left is one of a listener that died.
    ::unlink(socket.c_str());
    UniqueFd listener(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (listener.get() < 0 || ::bind(listener.get(), reinterpret_cast<const sockaddr*>(&*address),
                                     sizeof(*address)) != 0) {
        return nullptr;
    }
    if (::chmod(socket.c_str(), kPrivateFile) != 0 || ::listen(listener.get(), kBacklog) != 0) {
        ::unlink(socket.c_str());
        return nullptr;
    }
    status = OpenStatus::kOk;
    return std::unique_ptr<EventListener>(
        new EventListener(socket, listener.release(), lock.release()));
}

EventListener::EventListener(std::filesystem::path socket, int listener, int lock)
    : socket_(std::move(socket)), listener_(listener), lock_(lock) {}

EventListener::~EventListener() {
    ::unlink(socket_.c_str());
    ::close(listener_);
    ::close(lock_);  // releases the lock
}

bool EventListener::serveOne(const std::function<Event(const Event&)>& handle,
                             std::chrono::milliseconds timeout) {
    UniqueFd connection(::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
    if (connection.get() < 0) {
        return false;
    }
    if (!fromSameUser(connection.get())) {
        return true;
    }
    const auto deadline = Clock::now() + timeout;
    ReadStatus status = ReadStatus::kOk;
    const auto event = readEvent(connection.get(), deadline, status);
    if (!event) {
        return true;
    }
    const Event reply = handle(*event);
    if (event->wantsReply) {
        writeAll(connection.get(), encodeEvent(reply), deadline);
    }
    return true;
}

}  // namespace events
