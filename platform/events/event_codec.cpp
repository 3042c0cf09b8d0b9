// Events to and from their wire bytes.
#include "events/event_codec.h"

#include <algorithm>
#include <limits>

#include "bytes/byte_order.h"

namespace events {
namespace {

constexpr std::size_t kDescriptorHeadBytes = 12;  // keyword, type, length
constexpr std::size_t kBodyHeadBytes = 13;        // class, id, transaction id, flags

void writeList(bytes::ByteWriter& out, const std::vector<Descriptor>& list) {
    out.u16be(static_cast<std::uint16_t>(list.size()));
    for (const Descriptor& descriptor : list) {
        out.u32be(descriptor.keyword);
        out.u32be(descriptor.type);
        out.u32be(static_cast<std::uint32_t>(descriptor.bytes.size()));
        out.bytes(descriptor.bytes);
    }
}

std::size_t listBytes(const std::vector<Descriptor>& list) {
    std::size_t size = 2;
    for (const Descriptor& descriptor : list) {
        size += kDescriptorHeadBytes + descriptor.bytes.size();
    }
    return size;
}

// Each descriptor's length is checked against what remains before its bytes are taken.
bool readList(bytes::ByteReader& in, std::vector<Descriptor>& list) {
    const auto count = in.u16be();
    if (!count) {
        return false;
    }
    for (std::uint16_t i = 0; i < *count; ++i) {
        const auto keyword = in.u32be();
        const auto type = in.u32be();
        const auto length = in.u32be();
        if (!keyword || !type || !length) {
            return false;
        }
        const auto value = in.take(*length);
        if (!value) {
            return false;
        }
        list.push_back({*keyword, *type, {value->begin(), value->end()}});
    }
    return true;
}

}  // namespace

std::vector<std::uint8_t> encodeEvent(const Event& event) {
    constexpr auto kMaxCount = std::numeric_limits<std::uint16_t>::max();
    const std::size_t body =
        kBodyHeadBytes + listBytes(event.parameters) + listBytes(event.attributes);
    if (body > kMaxEventBodyBytes || event.parameters.size() > kMaxCount ||
        event.attributes.size() > kMaxCount) {
        return {};
    }
    std::vector<std::uint8_t> message;
    message.reserve(kMessageHeaderBytes + body);
    bytes::ByteWriter out(message);
    out.bytes(kMessageMagic);
    out.u32be(static_cast<std::uint32_t>(body));
    out.u32be(event.eventClass);
    out.u32be(event.eventId);
    out.u32be(event.transactionId);
    out.u8(event.wantsReply ? kFlagWantsReply : 0);
    writeList(out, event.parameters);
    writeList(out, event.attributes);
    return message;
}

std::optional<std::uint32_t> bodyLengthOf(
    std::span<const std::uint8_t, kMessageHeaderBytes> header) {
    if (!std::equal(std::begin(kMessageMagic), std::end(kMessageMagic), header.begin())) {
        return std::nullopt;
    }
    const std::uint32_t length = bytes::loadBE32(header.data() + sizeof(kMessageMagic));
    if (length > kMaxEventBodyBytes) {
        return std::nullopt;
    }
    return length;
}

std::optional<Event> decodeEventBody(std::span<const std::uint8_t> body) {
    if (body.size() > kMaxEventBodyBytes) {
        return std::nullopt;
    }
    bytes::ByteReader in(body);
    const auto eventClass = in.u32be();
    const auto eventId = in.u32be();
    const auto transaction = in.u32be();
    const auto flags = in.u8();
    if (!eventClass || !eventId || !transaction || !flags || (*flags & ~kFlagWantsReply) != 0) {
        return std::nullopt;
    }
    Event event;
    event.eventClass = *eventClass;
    event.eventId = *eventId;
    event.transactionId = *transaction;
    event.wantsReply = (*flags & kFlagWantsReply) != 0;
    if (!readList(in, event.parameters) || !readList(in, event.attributes) || in.remaining() != 0) {
        return std::nullopt;
    }
    return event;
}

std::optional<Event> decodeEvent(std::span<const std::uint8_t> message) {
    if (message.size() < kMessageHeaderBytes) {
        return std::nullopt;
    }
    const auto length = bodyLengthOf(message.first<kMessageHeaderBytes>());
    if (!length || *length != message.size() - kMessageHeaderBytes) {
        return std::nullopt;
    }
    return decodeEventBody(message.subspan(kMessageHeaderBytes));
}

}  // namespace events
