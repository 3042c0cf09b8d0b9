// Events between the processes of one user over Unix-domain stream sockets: one connection
// carries one event and, when the event wants one, its reply.
//
// A listener is a program's one place for events. Its socket lies in the socket folder; a lock
// file beside it ("<socket>.lock", locked for the life of the listener) keeps a second listener
// from taking the socket over, and a socket file left by a listener that died is replaced.
// Connections of other users are refused.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "events/event.h"

namespace events {

/// Names the socket folder instead of the runtime folder.
inline constexpr const char* kSocketFolderVariable = "STRATOLINE_EVENTS";

/// The folder of the sockets: $STRATOLINE_EVENTS, else $XDG_RUNTIME_DIR, else a folder
/// "stratoline-<uid>" in the temporary folder, made owner-only when missing. Nothing when that
/// last folder cannot be made or belongs to another user.
std::optional<std::filesystem::path> socketFolder();

enum class SendStatus {
    kOk = 0,
    kNoListener,  ///< nobody listens on the socket: the program does not run
    kFailed,      ///< the connection or the write failed
    kTimedOut,    ///< the reply did not come in time
    kBadReply,    ///< the reply was no well-formed event
};

/// Sends `event` to the listener of `socket`. When the event wants a reply, waits at most
/// `timeout` for it and stores it in `reply` (which must then be given).
SendStatus sendEvent(const std::filesystem::path& socket, const Event& event, Event* reply,
                     std::chrono::milliseconds timeout);

class EventListener {
  public:
    enum class OpenStatus {
        kOk = 0,
        kInUse,   ///< another listener holds the socket
        kFailed,  ///< the socket or its lock file could not be made
    };

    /// Listens on `socket`; null with `status` set when it cannot.
    static std::unique_ptr<EventListener> open(const std::filesystem::path& socket,
                                               OpenStatus& status);
    /// Closes the socket, removes its file and releases the lock.
    ~EventListener();
    EventListener(const EventListener&) = delete;
    EventListener& operator=(const EventListener&) = delete;

    /// Readable (for poll) while a connection waits.
    int descriptor() const { return listener_; }

    /// Accepts one waiting connection and serves its event: reads it, waiting at most `timeout`
    /// for its bytes, hands it to `handle` and, when the event wants a reply, writes the event
    /// `handle` returned. A malformed event is dropped with its connection. False when no
    /// connection was waiting.
    bool serveOne(const std::function<Event(const Event&)>& handle,
                  std::chrono::milliseconds timeout);

  private:
    EventListener(std::filesystem::path socket, int listener, int lock);

    std::filesystem::path socket_;
    int listener_ = -1;
    int lock_ = -1;
};

}  // namespace events
