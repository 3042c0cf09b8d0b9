// The bytes of an event on the wire. All integers are big-endian.
//
//   message    := magic "SLev" (4 bytes), body length (u32), body
//   body       := class (4), id (4), transaction id (u32), flags (u8: bit 0 wants a reply, the
//                 other bits zero), parameter count (u16), parameters, attribute count (u16),
//                 attributes
//   descriptor := keyword (4), descriptor type (4), value length (u32), value bytes
//
// The body holds exactly what its counts and lengths say, nothing more; a body is at most
// kMaxEventBodyBytes long.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "events/event.h"

namespace events {

inline constexpr std::size_t kMessageHeaderBytes = 8;
inline constexpr std::uint8_t kMessageMagic[4] = {'S', 'L', 'e', 'v'};
/// Far above the largest event of the system (a job list of 40 records of 784 bytes).
inline constexpr std::uint32_t kMaxEventBodyBytes = 1u << 20;
inline constexpr std::uint8_t kFlagWantsReply = 0x01;

/// The whole message of `event`; empty when the event is too large for one message.
std::vector<std::uint8_t> encodeEvent(const Event& event);

/// The body length of a message header (8 bytes): nothing when the magic is wrong or the length
/// exceeds kMaxEventBodyBytes.
std::optional<std::uint32_t> bodyLengthOf(
    std::span<const std::uint8_t, kMessageHeaderBytes> header);

/// The event of a message body; nothing when it is malformed.
std::optional<Event> decodeEventBody(std::span<const std::uint8_t> body);

/// The event of a whole message (header and body); nothing when it is malformed.
std::optional<Event> decodeEvent(std::span<const std::uint8_t> message);

}  // namespace events
