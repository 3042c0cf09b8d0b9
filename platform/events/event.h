// Application events between processes: an event names its class and id with four-character
// codes and carries a transaction id, a wants-reply flag, and two lists of descriptors
// (parameters and attributes), each a keyword, a descriptor type and the bytes of its value.
//
// A four-character code is a 32-bit value whose bytes, read most significant first, spell the
// code. The value bytes are opaque here; their layout belongs to the descriptor type.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace events {

using FourCharCode = std::uint32_t;

/// The code that the four characters of `text` spell.
constexpr FourCharCode fourCharCode(const char (&text)[5]) {
    return static_cast<FourCharCode>(static_cast<std::uint8_t>(text[0])) << 24 |
           static_cast<FourCharCode>(static_cast<std::uint8_t>(text[1])) << 16 |
           static_cast<FourCharCode>(static_cast<std::uint8_t>(text[2])) << 8 |
           static_cast<FourCharCode>(static_cast<std::uint8_t>(text[3]));
}

/// The four characters of `code`, for messages.
std::string codeText(FourCharCode code);

/// The keyword of an event's direct parameter, and of a reply's.
inline constexpr FourCharCode kKeyDirectObject = fourCharCode("----");
/// The keyword of the error number a reply carries when its event was not handled.
inline constexpr FourCharCode kKeyErrorNumber = fourCharCode("errn");
/// Descriptor type of a signed 32-bit integer in the host's byte order.
inline constexpr FourCharCode kTypeLong = fourCharCode("long");
/// Class and id of a reply.
inline constexpr FourCharCode kClassCore = fourCharCode("aevt");
inline constexpr FourCharCode kIdAnswer = fourCharCode("ansr");

struct Descriptor {
    FourCharCode keyword = 0;
    FourCharCode type = 0;
    std::vector<std::uint8_t> bytes;
};

struct Event {
    FourCharCode eventClass = 0;
    FourCharCode eventId = 0;
    std::uint32_t transactionId = 0;
    bool wantsReply = false;
    std::vector<Descriptor> parameters;
    std::vector<Descriptor> attributes;

    /// The value of the first parameter `keyword` when its descriptor type is `type`; nothing
    /// when the event has no such parameter or it is of another type.
    std::optional<std::span<const std::uint8_t>> parameter(FourCharCode keyword,
                                                           FourCharCode type) const;
    /// The same for the attributes.
    std::optional<std::span<const std::uint8_t>> attribute(FourCharCode keyword,
                                                           FourCharCode type) const;

    /// Adds a parameter, or an attribute; a value of the same keyword put before is replaced.
    void putParameter(FourCharCode keyword, FourCharCode type, std::span<const std::uint8_t> bytes);
    void putAttribute(FourCharCode keyword, FourCharCode type, std::span<const std::uint8_t> bytes);
};

/// The reply to `event`: class 'aevt', id 'ansr', the event's transaction id, no descriptors.
Event replyTo(const Event& event);

}  // namespace events
