// Dispatching events to their handlers.
#include "events/event_dispatcher.h"

#include <algorithm>
#include <cstring>

namespace events {

bool EventDispatcher::installHandler(FourCharCode eventClass, FourCharCode eventId,
                                     EventHandler handler, void* reference) {
    const bool taken = std::any_of(handlers_.begin(), handlers_.end(), [&](const Entry& entry) {
        return entry.eventClass == eventClass && entry.eventId == eventId;
    });
    if (taken || handler == nullptr) {
        return false;
    }
    handlers_.push_back({eventClass, eventId, handler, reference});
    return true;
}

Event EventDispatcher::dispatch(const Event& event) const {
    Event reply = replyTo(event);
    const auto entry = std::find_if(handlers_.begin(), handlers_.end(), [&](const Entry& e) {
        return e.eventClass == event.eventClass && e.eventId == event.eventId;
    });
    const std::int32_t error = entry == handlers_.end()
                                   ? kErrEventNotHandled
                                   : entry->handler(event, reply, entry->reference);
    if (error != 0) {
        std::uint8_t bytes[sizeof(error)];
        std::memcpy(bytes, &error, sizeof(error));  // a 'long' is in the host's byte order
        reply.putParameter(kKeyErrorNumber, kTypeLong, bytes);
    }
    return reply;
}

}  // namespace events
