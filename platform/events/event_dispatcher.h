// The handlers of a program's events, by class and id.
#pragma once

#include <cstdint>
#include <vector>

#include "events/event.h"

namespace events {

/// Error numbers that a reply carries under 'errn' (as a 'long').
inline constexpr std::int32_t kErrEventNotHandled = -1708;  ///< no handler for the event

/// A handler: reads the event, fills the reply (which starts as `replyTo(event)`), and returns 0
/// or an error number for the reply. `reference` is the value given at installation.
using EventHandler = std::int32_t (*)(const Event& event, Event& reply, void* reference);

class EventDispatcher {
  public:
    /// Installs `handler` for events of `eventClass` and `eventId`; false when one is installed
    /// for them already.
    bool installHandler(FourCharCode eventClass, FourCharCode eventId, EventHandler handler,
                        void* reference);

    /// Runs the handler of `event` and returns its reply; an event without a handler, or whose
    /// handler returns an error, gets a reply with the error number.
    Event dispatch(const Event& event) const;

  private:
    struct Entry {
        FourCharCode eventClass;
        FourCharCode eventId;
        EventHandler handler;
        void* reference;
    };
    std::vector<Entry> handlers_;
};

}  // namespace events
