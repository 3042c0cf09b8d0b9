// IEEE 1284.4 packets.
#include "usb/multichannel_packet.h"

#include "transport/caio.h"

namespace mlc {

namespace {

constexpr std::size_t kCodeAt = kHeaderSize;
constexpr std::size_t kResultAt = kHeaderSize + 1;
constexpr std::size_t kPsidAt = kHeaderSize + 2;
constexpr std::size_t kSsidAt = kHeaderSize + 3;

void putBig16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

}  // namespace

std::uint16_t readBig16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

std::optional<Header> readHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kHeaderSize) {
        return std::nullopt;
    }
    return Header{bytes[0], bytes[1], readBig16(bytes, 2), bytes[4], bytes[5]};
}

void writeHeader(std::span<std::uint8_t> out, const Header& header) {
    out[0] = header.psid;
    out[1] = header.ssid;
    out[2] = static_cast<std::uint8_t>(header.length >> 8);
    out[3] = static_cast<std::uint8_t>(header.length);
    out[4] = header.credit;
    out[5] = header.control;
}

std::vector<std::uint8_t> transactionPacket(std::span<const std::uint8_t> payload) {
    std::vector<std::uint8_t> packet(kHeaderSize);
    writeHeader(packet,
                {kTransactionSocket, kTransactionSocket,
                 static_cast<std::uint16_t>(kHeaderSize + payload.size()), kCommandCredit, 0});
    packet.insert(packet.end(), payload.begin(), payload.end());
    return packet;
}

std::vector<std::uint8_t> initCommand() {
    const std::uint8_t payload[] = {kInit, kRevision};
    return transactionPacket(payload);
}

std::vector<std::uint8_t> openChannelCommand(std::uint8_t psid, std::uint8_t ssid,
                                             std::uint16_t hostToPrinterPacketSize,
                                             std::uint16_t printerToHostPacketSize,
                                             std::uint16_t sendCredit,
                                             std::uint16_t maxOutstandingCredit) {
    std::vector<std::uint8_t> payload{kOpenChannel, psid, ssid};
    putBig16(payload, hostToPrinterPacketSize);
    putBig16(payload, printerToHostPacketSize);
    putBig16(payload, sendCredit);
    putBig16(payload, maxOutstandingCredit);
    return transactionPacket(payload);
}

std::vector<std::uint8_t> closeChannelCommand(std::uint8_t psid, std::uint8_t ssid) {
    const std::uint8_t payload[] = {kCloseChannel, psid, ssid};
    return transactionPacket(payload);
}

std::vector<std::uint8_t> creditCommand(std::uint8_t psid, std::uint8_t ssid,
                                        std::uint16_t credit) {
    std::vector<std::uint8_t> payload{kCredit, psid, ssid};
    putBig16(payload, credit);
    return transactionPacket(payload);
}

std::vector<std::uint8_t> creditRequestCommand(std::uint8_t psid, std::uint8_t ssid,
                                               std::uint16_t asked,
                                               std::uint16_t maxOutstandingCredit) {
    std::vector<std::uint8_t> payload{kCreditRequest, psid, ssid};
    putBig16(payload, asked);
    putBig16(payload, maxOutstandingCredit);
    return transactionPacket(payload);
}

std::vector<std::uint8_t> exitCommand() {
    const std::uint8_t payload[] = {kExit};
    return transactionPacket(payload);
}

std::vector<std::uint8_t> creditReply(std::uint8_t psid, std::uint8_t ssid) {
    const std::uint8_t payload[] = {kCredit | kReplyBit, 0, psid, ssid};
    return transactionPacket(payload);
}

std::vector<std::uint8_t> creditRequestReply(std::uint8_t psid, std::uint8_t ssid,
                                             std::uint16_t asked) {
    std::vector<std::uint8_t> payload{kCreditRequest | kReplyBit, 0, psid, ssid};
    putBig16(payload, asked);
    return transactionPacket(payload);
}

std::int32_t checkReply(std::span<const std::uint8_t> packet, std::uint8_t command,
                        std::size_t minimumLength, std::optional<std::uint8_t> socket) {
    if (packet.size() <= kResultAt) {
        return kCaioFailure;
    }
    const std::uint8_t result = packet[kResultAt];
    if (result == kResultRefused || result == kResultRefusedOther) {
        return kCaioCodeNotConnected;
    }
    if (packet[kCodeAt] != (command | kReplyBit) || result != 0 || packet.size() < minimumLength) {
        return kCaioFailure;
    }
    if (socket &&
        (packet.size() <= kSsidAt || packet[kPsidAt] != *socket || packet[kSsidAt] != *socket)) {
        return kCaioFailure;
    }
    return kCaioNoErr;
}

OpenChannelReply readOpenChannelReply(std::span<const std::uint8_t> packet) {
    constexpr std::size_t kSizesAt = kHeaderSize + 4;
    return {readBig16(packet, kSizesAt), readBig16(packet, kSizesAt + 2),
            readBig16(packet, kSizesAt + 4)};
}

}  // namespace mlc
