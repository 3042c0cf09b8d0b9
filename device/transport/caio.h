// The I/O channel: one interface over the network and USB transports.
//
// A channel is made from a transport address whose prefix (the IO signature: "net:", "net6:",
// "mdns:", "usb://") chooses the transport. Every operation returns a channel status: 0 success,
// kCaioFailure for a general failure, or a transport code n with bit 12 set (n | 0x1000).
// Time limits are hundredths of a second. A channel is used by one thread at a time.
#pragma once

#include <cstdint>

/// Channel statuses.
inline constexpr std::int32_t kCaioNoErr = 0;
inline constexpr std::int32_t kCaioFailure = -1;
inline constexpr std::int32_t kCaioCodeBit = 0x1000;

/// Transport codes n, reported as n | kCaioCodeBit. The numbers are the library's own and keep
/// their historical values whatever the host system's errno values are.
inline constexpr std::int32_t kCaioCodeNotReady = 16;       ///< USB interface did not open
inline constexpr std::int32_t kCaioCodeBrokenPipe = 32;     ///< network connection broken
inline constexpr std::int32_t kCaioCodeTryAgain = 35;       ///< resource temporarily unavailable
inline constexpr std::int32_t kCaioCodeReset = 54;          ///< reset during connect; no USB match
inline constexpr std::int32_t kCaioCodeTimedOut = 60;       ///< time-out
inline constexpr std::int32_t kCaioCodeRefused = 61;        ///< refused, after the connect wait
inline constexpr std::int32_t kCaioCodeNotConnected = 107;  ///< refused at once; command refused

/// The channel status that reports transport code n.
constexpr std::int32_t caioStatusFromCode(std::int32_t code) {
    return code | kCaioCodeBit;
}

/// Open modes.
inline constexpr std::int32_t kCaioModeJobData = 0;          ///< LPR or raw TCP; USB socket 0x10
inline constexpr std::int32_t kCaioModeControlDatagram = 1;  ///< UDP 47545; USB socket 0x20
inline constexpr std::int32_t kCaioModeControlStream = 2;    ///< TCP 9007; USB socket 0x30

/// Time limits that the library's callers pass, in hundredths of a second.
inline constexpr std::int32_t kCaioJobTimeLimit = 500;
inline constexpr std::int32_t kCaioControlOpenTimeLimit = 1000;
inline constexpr std::int32_t kCaioControlTimeLimit = 300;

/// Event address that an open fills when the caller gives one; the caller owns the first
/// record and frees any further ones.
struct CaioEventAddress {
    std::int16_t kind = 0;          ///< 2 IPv4, 20 IPv6, 15 USB
    std::uint32_t ipv4Address = 0;  ///< network byte order
    std::uint8_t ipv6Address[16] = {};
    std::uint32_t ipv6ScopeID = 0;
    std::uint16_t port = 0;  ///< host byte order
    CaioEventAddress* next = nullptr;
};

/// The six operations of one transport, in this order.
struct CaioFunctionTable {
    void* (*create)(const char* address);
    std::int32_t (*open)(void* handle, std::int32_t mode, std::int32_t port, std::uint8_t raw,
                         CaioEventAddress* eventAddress, char** addressCopy,
                         std::int32_t timeLimit);
    std::int32_t (*read)(void* handle, std::int32_t mode, void* buffer, std::uint64_t* count,
                         std::int32_t timeLimit);
    std::int32_t (*write)(void* handle, std::int32_t mode, const void* buffer, std::uint64_t* count,
                          std::int32_t timeLimit);
    std::int32_t (*close)(void* handle, std::int32_t mode);
    void (*destroy)(void* handle);
};

// The channel operations (transport dispatch). `count` is the buffer size (read) or the bytes
// offered (write) on input, the bytes delivered or accepted on output.
/// An I/O channel: its transport's operation table and handle; made by caioCreate, destroyed
/// once by caioDestroy (or its owner, CaioChannelPtr).
struct CaioChannel;

CaioChannel* caioCreate(const char* address);
std::int32_t caioOpen(CaioChannel* channel, std::int32_t mode, std::int32_t port, std::uint8_t raw,
                      CaioEventAddress* eventAddress, char** addressCopy, std::int32_t timeLimit);
std::int32_t caioRead(CaioChannel* channel, std::int32_t mode, void* buffer, std::uint64_t* count,
                      std::int32_t timeLimit);
std::int32_t caioWrite(CaioChannel* channel, std::int32_t mode, const void* buffer,
                       std::uint64_t* count, std::int32_t timeLimit);
std::int32_t caioClose(CaioChannel* channel, std::int32_t mode);
void caioDestroy(CaioChannel* channel);

// The network transport ("net:", "net6:", "mdns:").
void* caiolibCreate(const char* address);
std::int32_t caiolibOpen(void* handle, std::int32_t mode, std::int32_t port, std::uint8_t raw,
                         CaioEventAddress* eventAddress, char** addressCopy,
                         std::int32_t timeLimit);
std::int32_t caiolibRead(void* handle, std::int32_t mode, void* buffer, std::uint64_t* count,
                         std::int32_t timeLimit);
std::int32_t caiolibWrite(void* handle, std::int32_t mode, const void* buffer, std::uint64_t* count,
                          std::int32_t timeLimit);
std::int32_t caiolibClose(void* handle, std::int32_t mode);
void caiolibDestroy(void* handle);

// The USB transport ("usb://").
void* caioUSBlibCreate(const char* address);
std::int32_t caioUSBlibOpen(void* handle, std::int32_t mode, std::int32_t port, std::uint8_t raw,
                            CaioEventAddress* eventAddress, char** addressCopy,
                            std::int32_t timeLimit);
std::int32_t caioUSBlibRead(void* handle, std::int32_t mode, void* buffer, std::uint64_t* count,
                            std::int32_t timeLimit);
std::int32_t caioUSBlibWrite(void* handle, std::int32_t mode, const void* buffer,
                             std::uint64_t* count, std::int32_t timeLimit);
std::int32_t caioUSBlibClose(void* handle, std::int32_t mode);
void caioUSBlibDestroy(void* handle);
