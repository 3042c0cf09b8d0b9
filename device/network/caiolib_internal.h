// The network transport's context and helpers, shared by its source files only.
//
// Helpers return a transport code: 0 success, -1 failure without a code, otherwise the number n
// that the public functions report as n | kCaioCodeBit.
#pragma once

#include <sys/socket.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "transport/caio.h"

inline constexpr int kNoSocket = -1;

inline constexpr std::uint16_t kLprPort = 515;
inline constexpr std::uint16_t kControlDatagramPort = 47545;
inline constexpr std::uint16_t kControlStreamPort = 9007;
inline constexpr std::uint16_t kEventPortFirst = 52685;
inline constexpr std::uint16_t kEventPortLast = 52940;

inline constexpr std::size_t kDatagramBufferSize = 10240;  // bytes; a datagram this long is refused
inline constexpr std::size_t kEventBufferSize = 65536;     // bytes
inline constexpr std::size_t kMaxEventAddresses = 16;

/// Kinds of an event-address record.
inline constexpr std::int16_t kEventKindIPv4 = 2;
inline constexpr std::int16_t kEventKindIPv6 = 20;

/// One resolved socket address with what a socket for it needs.
struct ResolvedAddress {
    int flags = 0;
    int family = AF_UNSPEC;
    int socketType = 0;
    int protocol = 0;
    sockaddr_storage address{};
    socklen_t length = 0;
};
using AddressList = std::vector<ResolvedAddress>;

/// The local end where a printer may send events (only when the open is given a record).
struct CaiolibEventPort {
    std::vector<int> sockets;
    AddressList localAddresses;
    std::vector<std::uint8_t> buffer;
};

/// The state of one network transport handle.
struct CaiolibContext {
    std::optional<std::string> address;
    bool isOpen = false;
    std::int32_t openMode = kCaioModeJobData;
    int socket = kNoSocket;
    AddressList remoteAddresses;  // only the first entry is used
    std::vector<std::uint8_t> datagramBuffer;
    std::size_t datagramHeld = 0;        // bytes received, not yet delivered, at the front
    std::int32_t lastSendTimeLimit = 0;  // hundredths of a second; 0 when none applied
    std::int32_t lastReceiveTimeLimit = 0;
    CaiolibEventPort eventPort;
};

/// Directions of zDataTransfer.
enum CaiolibDirection : int {
    kStreamReceive = 0,
    kStreamSend = 1,
    kDatagramReceive = 2,
    kDatagramSend = 3,
};

/// The channel status for a transport code: 0 and -1 unchanged, any other n as n | kCaioCodeBit.
std::int32_t caiolibStatus(std::int32_t code);

/// The transport code n for `error` (an errno value), through the library's one errno table;
/// kCaioFailure (-1) for 0 and for a value the table does not know.
std::int32_t caiolibCodeFromErrno(int error);
/// The code for the current errno, or -1 when errno is 0 or unknown.
std::int32_t caiolibCodeFromCurrentErrno();

/// Resolves the host of `address` (up to the first "%" or "/") for `port` (0: no service).
/// Stream sockets for modes 0 and 2, datagram sockets for mode 1. The passive form adds the IPv6
/// addresses of every interface.
std::int32_t zInitSocket(const std::string& address, std::uint16_t port, std::int32_t mode,
                         bool passive, AddressList& result);

/// Makes a socket for `entry`; an IPv6 link-local entry gets the scope of the interface named
/// after "%" in `address`.
std::int32_t zDoSocket(const std::string& address, ResolvedAddress& entry, int& socketOut);

/// Connects the context's socket to its first remote address within `timeLimit`.
std::int32_t zConnect(CaiolibContext& context, std::int32_t timeLimit);

/// Sets the file status flags of `socket`; the code of the failure, or 0.
std::int32_t zSetBlockMode(int socket, int flags);

/// Resolves, connects and, on port 515, runs the LPR receive-job exchange.
std::int32_t zJobOpen(CaiolibContext& context, const std::string& address, std::uint16_t port,
                      std::int32_t timeLimit);

/// Sends one command (with a terminating zero byte when asked) and waits for one acknowledging
/// byte of any value. 107 when the command is too long, cannot be sent or is not acknowledged.
std::int32_t zCommand(CaiolibContext& context, bool withTerminator, std::int32_t timeLimit,
                      std::string_view command);

/// One transfer in `direction`; `count` is the bytes offered or the room given on input, the bytes
/// moved on output.
std::int32_t zDataTransfer(CaiolibContext& context, CaiolibDirection direction, void* buffer,
                           std::uint64_t& count, std::int32_t timeLimit);

/// Takes the scope a kernel may embed in bytes 2 and 3 of a link-local IPv6 address out into
/// `scope` and clears those bytes; other addresses are left alone.
void zCheckLinkLocalAddressAndMaskScopeID(std::uint8_t (&address)[16], std::uint32_t& scope);

/// Binds an event port of `mode`'s socket type for the open's remote address and fills `record`;
/// when nothing can be bound the record holds zeros with the remote's kind and the event state
/// is released.
void caiolibOpenEventPort(CaiolibContext& context, std::int32_t mode, CaioEventAddress& record);

/// Returns the context to the created state: closes sockets and frees every buffer.
void zCleanupContext(CaiolibContext& context);
void zCleanupContextEventPort(CaiolibContext& context);

// LPR receive-job pieces.
inline constexpr std::string_view kLprDefaultQueue = "Orvane";
inline constexpr std::string_view kLprUser = "MacUser";
inline constexpr std::string_view kLprJobName = "untitled";
inline constexpr std::string_view kLprAnnouncedDataSize = "125899906843000";
inline constexpr std::size_t kLprMaxHostName = 31;  // RFC 1179 7.2: host name <= 31 characters
inline constexpr std::size_t kCommandBufferSize = 10240;

namespace device {

/// The queue: the text after the first "/" of the address, the default when none or empty.
std::string lprQueueName(const std::string& address);
/// The job number: the process id modulo 1000, three digits.
std::string lprJobNumber(unsigned long processId);
/// The host name cut to 31 characters.
std::string lprHostName(std::string_view host);
/// The control file text for a job from `host`.
std::string lprControlFile(std::string_view host, std::string_view jobNumber);

}  // namespace device
