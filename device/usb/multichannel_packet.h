// IEEE 1284.4 packets: the 6-byte head (PSID, SSID, big-endian length of the whole packet,
// credit, control) and the transaction-channel commands and replies that the host sends and
// reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace mlc {

inline constexpr std::size_t kHeaderSize = 6;
inline constexpr std::uint8_t kTransactionSocket = 0;
/// Credit byte of every command the host sends on the transaction channel.
inline constexpr std::uint8_t kCommandCredit = 1;

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

inline constexpr std::uint8_t kRevision = 0x01;

/// Reply results that report the command as refused, as against failed (IEEE 1284.4 results 3
/// and 4); the layer reports them as 107.
inline constexpr std::uint8_t kResultRefused = 3;
inline constexpr std::uint8_t kResultRefusedOther = 4;

/// Whole lengths of the replies the host reads, up to the last field it uses: code and result,
/// then the fields of each command's reply.
inline constexpr std::size_t kInitReplyLength = kHeaderSize + 2;
inline constexpr std::size_t kOpenChannelReplyLength = kHeaderSize + 10;
inline constexpr std::size_t kCloseChannelReplyLength = kHeaderSize + 4;
inline constexpr std::size_t kCreditReplyLength = kHeaderSize + 4;
inline constexpr std::size_t kCreditRequestReplyLength = kHeaderSize + 6;
inline constexpr std::size_t kExitReplyLength = kHeaderSize + 2;
/// Whole lengths of the printer's commands that the host answers.
inline constexpr std::size_t kPrinterCreditLength = kHeaderSize + 5;
inline constexpr std::size_t kPrinterCreditRequestLength = kHeaderSize + 7;

struct Header {
    std::uint8_t psid = 0;
    std::uint8_t ssid = 0;
    std::uint16_t length = 0;  ///< the whole packet, head included
    std::uint8_t credit = 0;
    std::uint8_t control = 0;
};

/// The head of a packet; nothing for fewer than 6 bytes.
std::optional<Header> readHeader(std::span<const std::uint8_t> bytes);
/// Writes a head into the first 6 bytes of `out`.
void writeHeader(std::span<std::uint8_t> out, const Header& header);

std::uint16_t readBig16(std::span<const std::uint8_t> bytes, std::size_t at);

/// A transaction-channel packet with `payload` (command byte first).
std::vector<std::uint8_t> transactionPacket(std::span<const std::uint8_t> payload);

// The host's commands, each a whole packet.
std::vector<std::uint8_t> initCommand();
std::vector<std::uint8_t> openChannelCommand(std::uint8_t psid, std::uint8_t ssid,
                                             std::uint16_t hostToPrinterPacketSize,
                                             std::uint16_t printerToHostPacketSize,
                                             std::uint16_t sendCredit,
                                             std::uint16_t maxOutstandingCredit);
std::vector<std::uint8_t> closeChannelCommand(std::uint8_t psid, std::uint8_t ssid);
std::vector<std::uint8_t> creditCommand(std::uint8_t psid, std::uint8_t ssid, std::uint16_t credit);
std::vector<std::uint8_t> creditRequestCommand(std::uint8_t psid, std::uint8_t ssid,
                                               std::uint16_t asked,
                                               std::uint16_t maxOutstandingCredit);
std::vector<std::uint8_t> exitCommand();

// The host's answers to the printer's Credit and CreditRequest commands.
std::vector<std::uint8_t> creditReply(std::uint8_t psid, std::uint8_t ssid);
std::vector<std::uint8_t> creditRequestReply(std::uint8_t psid, std::uint8_t ssid,
                                             std::uint16_t asked);

/// Checks a transaction reply to `command`: its code must be command + 0x80 and its result 0,
/// with at least `minimumLength` bytes; for channel commands its PSID and SSID must be the
/// channel's. 0; 107 when the result is 3 or 4 (also when the code differs); -1 otherwise
/// (another result or code, a short reply, other socket ids).
std::int32_t checkReply(std::span<const std::uint8_t> packet, std::uint8_t command,
                        std::size_t minimumLength, std::optional<std::uint8_t> socket);

/// The fields of an accepted OpenChannel reply.
struct OpenChannelReply {
    std::uint16_t hostToPrinterPacketSize = 0;
    std::uint16_t printerToHostPacketSize = 0;
    std::uint16_t initialSendCredit = 0;
};
OpenChannelReply readOpenChannelReply(std::span<const std::uint8_t> packet);

}  // namespace mlc
