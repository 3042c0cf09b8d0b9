// The printer's side of IEEE 1284.4 for tests.
#include "ieee1284_4_peer.h"

#include <algorithm>
#include <utility>

namespace usb_test {

namespace {

constexpr std::uint8_t kTransactionCredit = 1;
constexpr std::uint8_t kResultOk = 0;
constexpr std::uint8_t kResultBadCommand = 1;
constexpr std::uint8_t kRevision = 0x01;

std::uint16_t be16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

void put16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

}  // namespace

Bytes makePacket(std::uint8_t psid, std::uint8_t ssid, std::uint8_t credit,
                 std::span<const std::uint8_t> payload) {
    Bytes packet{psid, ssid};
    put16(packet, static_cast<std::uint16_t>(payload.size() + kPacketHeaderSize));
    packet.push_back(credit);
    packet.push_back(0);
    packet.insert(packet.end(), payload.begin(), payload.end());
    return packet;
}

void Ieee1284_4Peer::setService(std::uint8_t socket, ChannelService service) {
    services_[socket] = std::move(service);
}

std::uint32_t Ieee1284_4Peer::hostCredit(std::uint8_t socket) const {
    const auto found = channels_.find(socket);
    return found == channels_.end() ? 0 : found->second.hostCredit;
}

std::uint32_t Ieee1284_4Peer::printerCredit(std::uint8_t socket) const {
    const auto found = channels_.find(socket);
    return found == channels_.end() ? 0 : found->second.printerCredit;
}

void Ieee1284_4Peer::queueData(std::uint8_t socket, const Bytes& data) {
    if (auto found = channels_.find(socket); found != channels_.end()) {
        found->second.pending.insert(found->second.pending.end(), data.begin(), data.end());
        flush();
    }
}

void Ieee1284_4Peer::hostWrote(std::span<const std::uint8_t> bytes) {
    incoming_.insert(incoming_.end(), bytes.begin(), bytes.end());
    while (incoming_.size() >= kPacketHeaderSize) {
        const std::size_t length = be16(incoming_, 2);
        if (length < kPacketHeaderSize) {
            // A malformed head: keep it for the tests and drop everything.
            hostPackets.push_back(incoming_);
            incoming_.clear();
            return;
        }
        if (incoming_.size() < length) {
            return;
        }
        const Bytes whole(incoming_.begin(), incoming_.begin() + static_cast<long>(length));
        incoming_.erase(incoming_.begin(), incoming_.begin() + static_cast<long>(length));
        hostPackets.push_back(whole);
        packet(whole);
    }
}

Bytes Ieee1284_4Peer::take(std::size_t capacity) {
    const std::size_t count = std::min(capacity, outgoing_.size());
    Bytes out(outgoing_.begin(), outgoing_.begin() + static_cast<long>(count));
    outgoing_.erase(outgoing_.begin(), outgoing_.begin() + static_cast<long>(count));
    return out;
}

void Ieee1284_4Peer::packet(const Bytes& whole) {
    const std::uint8_t psid = whole[0];
    const std::uint8_t ssid = whole[1];
    if (psid == 0 && ssid == 0) {
        transaction(whole);
        return;
    }
    const std::span<const std::uint8_t> payload(whole.data() + kPacketHeaderSize,
                                                whole.size() - kPacketHeaderSize);
    auto found = channels_.find(psid);
    if (found == channels_.end()) {
        return;  // data on a closed channel is dropped
    }
    Channel& channel = found->second;
    if (channel.hostCredit > 0) {
        --channel.hostCredit;
    }
    channel.printerCredit += whole[4];
    Bytes& sink = received[psid];
    sink.insert(sink.end(), payload.begin(), payload.end());
    if (const auto service = services_.find(psid); service != services_.end()) {
        const Bytes answer = service->second(payload);
        channel.pending.insert(channel.pending.end(), answer.begin(), answer.end());
    }
    flush();
}

void Ieee1284_4Peer::transaction(const Bytes& whole) {
    const std::span<const std::uint8_t> command(whole.data() + kPacketHeaderSize,
                                                whole.size() - kPacketHeaderSize);
    if (command.empty() || (command[0] & kReplyBit) != 0) {
        return;  // the host's answer to a command of the printer
    }
    const Bytes reply = answer(command);
    if (transactionFilter) {
        if (const auto replaced = transactionFilter(command, reply)) {
            if (!replaced->empty()) {
                send(*replaced);
            }
            flush();
            return;
        }
    }
    send(reply);
    flush();
}

Bytes Ieee1284_4Peer::answer(std::span<const std::uint8_t> command) {
    const std::uint8_t code = command[0];
    Bytes payload{static_cast<std::uint8_t>(code | kReplyBit), kResultOk};
    const auto needs = [&](std::size_t size) {
        if (command.size() >= size) {
            return true;
        }
        payload[1] = kResultBadCommand;
        return false;
    };
    switch (code) {
        case kInit:
            initialised_ = true;
            channels_.clear();  // a host that starts again finds no channel left open
            payload.push_back(kRevision);
            break;
        case kOpenChannel:
            if (needs(11)) {
                const std::uint8_t socket = command[1];
                Channel channel;
                channel.hostToPrinterSize = settings_.hostToPrinterPacketSize != 0
                                                ? settings_.hostToPrinterPacketSize
                                                : be16(command, 3);
                channel.printerToHostSize = settings_.printerToHostPacketSize != 0
                                                ? settings_.printerToHostPacketSize
                                                : be16(command, 5);
                channel.hostCredit = settings_.initialCredit;
                channels_[socket] = channel;
                payload.insert(payload.end(), {command[1], command[2]});
                put16(payload, channel.hostToPrinterSize);
                put16(payload, channel.printerToHostSize);
                put16(payload, settings_.initialCredit);
            }
            break;
        case kCloseChannel:
            if (needs(3)) {
                channels_.erase(command[1]);
                payload.insert(payload.end(), {command[1], command[2]});
            }
            break;
        case kCredit:
            if (needs(5)) {
                if (auto found = channels_.find(command[1]); found != channels_.end()) {
                    found->second.printerCredit += be16(command, 3);
                }
                payload.insert(payload.end(), {command[1], command[2]});
            }
            break;
        case kCreditRequest:
            if (needs(5)) {
                const auto granted = std::min(be16(command, 3), settings_.creditGrant);
                if (auto found = channels_.find(command[1]); found != channels_.end()) {
                    found->second.hostCredit += granted;
                }
                payload.insert(payload.end(), {command[1], command[2]});
                put16(payload, granted);
            }
            break;
        case kExit:
            initialised_ = false;
            channels_.clear();
            break;
        default:
            payload[1] = kResultBadCommand;
            break;
    }
    return makePacket(0, 0, kTransactionCredit, payload);
}

void Ieee1284_4Peer::send(const Bytes& whole) {
    for (const Bytes& injected : std::exchange(injected_, {})) {
        printerPackets.push_back(injected);
        outgoing_.insert(outgoing_.end(), injected.begin(), injected.end());
    }
    printerPackets.push_back(whole);
    outgoing_.insert(outgoing_.end(), whole.begin(), whole.end());
}

void Ieee1284_4Peer::flush() {
    for (auto& [socket, channel] : channels_) {
        const std::size_t room = channel.printerToHostSize > kPacketHeaderSize
                                     ? channel.printerToHostSize - kPacketHeaderSize
                                     : 0;
        while (!channel.pending.empty() && channel.printerCredit > 0 && room > 0) {
            const std::size_t chunk = std::min(room, channel.pending.size());
            const Bytes part(channel.pending.begin(),
                             channel.pending.begin() + static_cast<long>(chunk));
            channel.pending.erase(channel.pending.begin(),
                                  channel.pending.begin() + static_cast<long>(chunk));
            --channel.printerCredit;
            send(makePacket(socket, socket, 0, part));
        }
    }
}

}  // namespace usb_test
