// The channel double of the codec's tests.
#include "scripted_channel.h"

#include <algorithm>

#include "bytes/byte_order.h"
#include "qdxa_protocol/packet_header.h"

namespace qdxa_test {
namespace {

constexpr std::int32_t kTimedOut = 4156;
constexpr std::int64_t kReadWaitHundredths = 300;

ScriptedChannel* self(CaioChannel* channel) {
    return ScriptedChannel::of(channel);
}

}  // namespace

const QDXAChannelOps& ScriptedChannel::ops() {
    static const QDXAChannelOps table{
        [](CaioChannel* channel, std::int32_t mode, std::int32_t, std::uint8_t, CaioEventAddress*,
           char**, std::int32_t) {
            self(channel)->openedModes.push_back(mode);
            return self(channel)->openStatus;
        },
        [](CaioChannel* channel, std::int32_t, void* buffer, std::uint64_t* count, std::int32_t) {
            return self(channel)->read(static_cast<std::uint8_t*>(buffer), count);
        },
        [](CaioChannel* channel, std::int32_t, const void* buffer, std::uint64_t* count,
           std::int32_t) {
            return self(channel)->write(static_cast<const std::uint8_t*>(buffer), count);
        },
        [](CaioChannel* channel, std::int32_t mode) {
            self(channel)->closedModes.push_back(mode);
            return self(channel)->closeStatus;
        },
        SteppedClock::now};
    return table;
}

std::int32_t ScriptedChannel::read(std::uint8_t* buffer, std::uint64_t* count) {
    if (!readStatuses.empty()) {
        const std::int32_t status = readStatuses.front();
        readStatuses.pop_front();
        if (status == kTimedOut) {
            SteppedClock::advanceHundredths(kReadWaitHundredths);
        }
        return status;
    }
    if (pending.empty()) {
        SteppedClock::advanceHundredths(kReadWaitHundredths);
        return streamTimeouts ? 0 : kTimedOut;
    }
    const std::size_t delivered = std::min<std::size_t>({*count, pending.size(), readChunk});
    std::copy_n(pending.begin(), delivered, buffer);
    pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(delivered));
    *count = delivered;
    return 0;
}

std::int32_t ScriptedChannel::write(const std::uint8_t* buffer, std::uint64_t* count) {
    if (!writeStatuses.empty()) {
        const std::int32_t status = writeStatuses.front();
        writeStatuses.pop_front();
        *count = 0;
        if (status == kTimedOut) {
            SteppedClock::advanceHundredths(kReadWaitHundredths);
        }
        return status;
    }
    partial_.insert(partial_.end(), buffer, buffer + *count);
    // Whole packets go to the printer model.
    while (partial_.size() >= qdxa::kHeaderSize) {
        const std::size_t size = qdxa::kHeaderSize + bytes::loadBE16(partial_.data() + 8);
        if (partial_.size() < size) {
            break;
        }
        std::vector<std::uint8_t> packet(partial_.begin(),
                                         partial_.begin() + static_cast<std::ptrdiff_t>(size));
        partial_.erase(partial_.begin(), partial_.begin() + static_cast<std::ptrdiff_t>(size));
        packetsWritten.push_back(packet);
        if (responder_ != nullptr) {
            for (const auto& reply : responder_->answer(packet)) {
                queueReply(reply);
            }
        }
    }
    return 0;
}

}  // namespace qdxa_test
