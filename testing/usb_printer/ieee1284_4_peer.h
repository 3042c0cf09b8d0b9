// The printer's side of IEEE 1284.4 for tests: it takes the bytes that the host writes to the
// bulk OUT pipe, answers the transaction-channel commands, keeps the credit of every channel,
// hands each data channel's payload to that channel's service and sends the service's answer
// back in packets, never beyond the credit that the host granted.
//
// Every packet of both directions is recorded whole, so tests can check them byte for byte.
// Not thread-safe: the owner serialises its calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace usb_test {

using Bytes = std::vector<std::uint8_t>;

/// Header fields of a 1284.4 packet.
inline constexpr std::size_t kPacketHeaderSize = 6;

/// Transaction commands and their replies (command + 0x80).
enum Command : std::uint8_t {
    kInit = 0x00,
    kOpenChannel = 0x01,
    kCloseChannel = 0x02,
    kCredit = 0x03,
    kCreditRequest = 0x04,
    kExit = 0x08,
    kError = 0x7F,
    kReplyBit = 0x80,
};

/// A packet: 6-byte header then payload; `length` covers both.
Bytes makePacket(std::uint8_t psid, std::uint8_t ssid, std::uint8_t credit,
                 std::span<const std::uint8_t> payload);

/// Answers the bytes that arrive on one data channel with the bytes to send back on it.
using ChannelService = std::function<Bytes(std::span<const std::uint8_t> received)>;

/// How the printer answers one transaction command: it may replace the reply (an empty optional
/// keeps the model's own) or send nothing (an empty Bytes).
using TransactionFilter =
    std::function<std::optional<Bytes>(std::span<const std::uint8_t> command, const Bytes& reply)>;

class Ieee1284_4Peer {
  public:
    /// What the printer grants and proposes.
    struct Settings {
        std::uint16_t hostToPrinterPacketSize = 0;  ///< 0: whatever the host proposes
        std::uint16_t printerToHostPacketSize = 0;  ///< 0: whatever the host proposes
        std::uint16_t initialCredit = 4;            ///< send credit granted at OpenChannel
        std::uint16_t creditGrant = 4;              ///< granted per CreditRequest (at most asked)
    };

    Ieee1284_4Peer() = default;
    explicit Ieee1284_4Peer(Settings settings) : settings_(settings) {}

    /// The service of a socket's data; without one, data is kept only.
    void setService(std::uint8_t socket, ChannelService service);

    /// Replaces or suppresses transaction replies, in turn for each command.
    TransactionFilter transactionFilter;

    /// A whole packet that goes out just before the next packet the printer sends (a command
    /// of the printer that arrives while the host waits for a reply).
    void sendBeforeNextPacket(const Bytes& packet) { injected_.push_back(packet); }

    /// Data the printer sends on an open channel, as its credit allows.
    void queueData(std::uint8_t socket, const Bytes& data);

    /// Takes bytes the host wrote; they need not end on a packet boundary.
    void hostWrote(std::span<const std::uint8_t> bytes);

    /// Up to `capacity` bytes of what the printer has to send; empty when nothing waits.
    Bytes take(std::size_t capacity);

    // What happened.
    std::vector<Bytes> hostPackets;          ///< every packet from the host, whole
    std::vector<Bytes> printerPackets;       ///< every packet to the host, whole
    std::map<std::uint8_t, Bytes> received;  ///< data payload by socket
    bool initialised() const { return initialised_; }
    bool channelOpen(std::uint8_t socket) const { return channels_.count(socket) != 0; }
    /// Packets the host may still send / the printer may still send on a channel.
    std::uint32_t hostCredit(std::uint8_t socket) const;
    std::uint32_t printerCredit(std::uint8_t socket) const;

  private:
    struct Channel {
        std::uint16_t hostToPrinterSize = 0;
        std::uint16_t printerToHostSize = 0;
        std::uint32_t hostCredit = 0;     // packets the host may send
        std::uint32_t printerCredit = 0;  // packets the printer may send
        Bytes pending;                    // answer bytes not sent yet
    };

    void packet(const Bytes& whole);
    void transaction(const Bytes& whole);
    Bytes answer(std::span<const std::uint8_t> command);
    void send(const Bytes& whole);
    void flush();

    Settings settings_;
    std::map<std::uint8_t, ChannelService> services_;
    std::map<std::uint8_t, Channel> channels_;
    bool initialised_ = false;
    std::vector<Bytes> injected_;
    Bytes incoming_;
    std::deque<std::uint8_t> outgoing_;
};

}  // namespace usb_test
