// The QDXA printer model behind the test printer's control ports.
#include "qdxa_printer_hook.h"

#include <cstddef>

#include "bytes/byte_order.h"
#include "qdxa_protocol/packet_header.h"

namespace qdxa_test {
namespace {

constexpr std::size_t kParameterLengthOffset = offsetof(qdxa::PacketHeader, parameterLength);

/// Takes every whole packet off the front of `bytes` and answers it.
std::vector<std::uint8_t> answerWholePackets(Responder& responder,
                                             std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> replies;
    while (bytes.size() >= qdxa::kHeaderSize) {
        const std::size_t size =
            qdxa::kHeaderSize + bytes::loadBE16(bytes.data() + kParameterLengthOffset);
        if (bytes.size() < size) {
            break;
        }
        const std::vector<std::uint8_t> packet(bytes.begin(),
                                               bytes.begin() + static_cast<std::ptrdiff_t>(size));
        bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
        for (const auto& reply : responder.answer(packet)) {
            replies.insert(replies.end(), reply.begin(), reply.end());
        }
    }
    return replies;
}

}  // namespace

testsupport::ControlResponder PrinterHook::controlResponder() {
    return [this](const testsupport::ControlMessage& message) { return answer(message); };
}

testsupport::ControlReply PrinterHook::answer(const testsupport::ControlMessage& message) {
    std::lock_guard lock(mutex_);
    testsupport::ControlReply reply;
    if (message.channel == testsupport::ControlChannel::kStream) {
        streamBytes_.insert(streamBytes_.end(), message.bytes.begin(), message.bytes.end());
        reply.bytes = answerWholePackets(responder_, streamBytes_);
    } else {
        // A datagram holds whole packets; a partial one at its end is dropped with it.
        std::vector<std::uint8_t> datagram = message.bytes;
        reply.bytes = answerWholePackets(responder_, datagram);
    }
    return reply;
}

}  // namespace qdxa_test
