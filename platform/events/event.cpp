// Events and their descriptors.
#include "events/event.h"

#include <algorithm>

namespace events {
namespace {

std::optional<std::span<const std::uint8_t>> find(const std::vector<Descriptor>& list,
                                                  FourCharCode keyword, FourCharCode type) {
    const auto found = std::find_if(list.begin(), list.end(), [&](const Descriptor& descriptor) {
        return descriptor.keyword == keyword;
    });
    if (found == list.end() || found->type != type) {
        return std::nullopt;
    }
    return std::span<const std::uint8_t>(found->bytes);
}

void put(std::vector<Descriptor>& list, FourCharCode keyword, FourCharCode type,
         std::span<const std::uint8_t> bytes) {
    std::erase_if(list,
                  [&](const Descriptor& descriptor) { return descriptor.keyword == keyword; });
    list.push_back({keyword, type, {bytes.begin(), bytes.end()}});
}

}  // namespace

std::string codeText(FourCharCode code) {
    std::string text(4, ' ');
    for (int i = 0; i < 4; ++i) {
        text[static_cast<std::size_t>(i)] = static_cast<char>(code >> (24 - 8 * i));
    }
    return text;
}

std::optional<std::span<const std::uint8_t>> Event::parameter(FourCharCode keyword,
                                                              FourCharCode type) const {
    return find(parameters, keyword, type);
}

std::optional<std::span<const std::uint8_t>> Event::attribute(FourCharCode keyword,
                                                              FourCharCode type) const {
    return find(attributes, keyword, type);
}

void Event::putParameter(FourCharCode keyword, FourCharCode type,
                         std::span<const std::uint8_t> bytes) {
    put(parameters, keyword, type, bytes);
}

void Event::putAttribute(FourCharCode keyword, FourCharCode type,
                         std::span<const std::uint8_t> bytes) {
    put(attributes, keyword, type, bytes);
}

Event replyTo(const Event& event) {
    Event reply;
    reply.eventClass = kClassCore;
    reply.eventId = kIdAnswer;
    reply.transactionId = event.transactionId;
    return reply;
}

}  // namespace events
