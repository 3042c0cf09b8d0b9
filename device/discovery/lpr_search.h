// The LPR search: the network printers that answer the printer-control echo on UDP 47545, sent
// as a broadcast, to a subnet's broadcast address, or to one host.
#pragma once

#include <netinet/in.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <span>
#include <vector>

#include "DovoCommonLib/ios_discovery.h"
#include "cf/value.h"

/// The printers' control port, and the local ports a search may send from.
inline constexpr std::uint16_t kEchoPort = 47545;
inline constexpr std::uint16_t kFirstSearchPort = 52685;
inline constexpr std::uint16_t kLastSearchPort = 52940;

/// The echo request: a 20-byte QDXA header with operation 1, sequence 1 and no parameter.
using EchoRequest = std::array<std::uint8_t, 20>;
EchoRequest LocalEchoRequest();

/// Whether a datagram answers the echo: at least 20 bytes, the magic CD CA and sequence 1.
bool LocalIsEchoAnswer(std::span<const std::uint8_t> datagram);

/// The UDP endpoint of one search: an IPv4 datagram socket bound to any local address at the
/// first free port from 52685 to 52940 and allowed to broadcast; closed with the object.
class LocalUDPEndpoint {
  public:
    LocalUDPEndpoint() = default;
    ~LocalUDPEndpoint();
    LocalUDPEndpoint(const LocalUDPEndpoint&) = delete;
    LocalUDPEndpoint& operator=(const LocalUDPEndpoint&) = delete;

    /// Opens the endpoint (LocalInitializeUDP): kSearchNoErr, or kSearchSocketErr when no port
    /// is free or broadcasts cannot be allowed.
    std::int32_t open();
    int socket() const { return socket_; }
    std::uint16_t port() const { return port_; }

  private:
    int socket_ = -1;
    std::uint16_t port_ = 0;
};

/// Sends the echo to port 47545 of `address` (most significant byte first): kSearchNoErr,
/// kSearchWouldBlock or kSearchSendErr.
std::int32_t LocalSendLPRQDXAEcho(const LocalUDPEndpoint& endpoint, std::uint32_t address);

/// Sends the echo to `address` and collects the senders of the answers that come from port
/// 47545 within `timeLimit`, in the order they answered, each once. With `oneHost` only answers
/// from `address` count and the exchange ends with the first of them. kSearchNoErr when an
/// address was added, kSearchNoReply when none was, else the code of the failed send.
std::int32_t LocalGetLPRIPAddressList(const LocalUDPEndpoint& endpoint, std::uint32_t address,
                                      bool oneHost, std::chrono::milliseconds timeLimit,
                                      std::vector<std::uint32_t>& found);

/// Appends to the array `entries` one entry per printer that the context's echo found and that
/// answered its own echo within 3 s: "PrinterAddress" = its IPv4 address as a signed 32-bit
/// number, in the order found. A directed context whose address has no byte 255 takes that host
/// as found without the first echo. kSearchNoErr, else the code of the failed endpoint or echo.
std::int32_t SearchLPRPrinterAddressList(const IOS_LPRSearchContext& context, cf::Value& entries);

/// Sends one echo as a broadcast to 255.255.255.255 from a search endpoint.
std::int32_t sendLPRQDXAEchoBroadCast();
