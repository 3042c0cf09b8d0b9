// How the packet codec reaches the I/O channel and the clock.
//
// The exchange calls the channel through this table, which by default holds the channel
// operations of the transport dispatch; tests put a recording channel and a stepped clock in
// its place. The table and the clock are process-wide and set only while no exchange runs.
#pragma once

#include <sys/time.h>

#include <cstdint>

#include "transport/caio.h"

/// The four channel operations that the codec uses, with the signatures of the dispatch.
struct QDXAChannelOps {
    std::int32_t (*open)(void* channel, std::int32_t mode, std::int32_t port, std::uint8_t raw,
                         CaioEventAddress* eventAddress, char** addressCopy,
                         std::int32_t timeLimit);
    std::int32_t (*read)(void* channel, std::int32_t mode, void* buffer, std::uint64_t* count,
                         std::int32_t timeLimit);
    std::int32_t (*write)(void* channel, std::int32_t mode, const void* buffer,
                          std::uint64_t* count, std::int32_t timeLimit);
    std::int32_t (*close)(void* channel, std::int32_t mode);
};

/// The channel operations of the transport dispatch (caioOpen, caioRead, caioWrite, caioClose).
const QDXAChannelOps& qdxaDispatchChannelOps();

/// The table in use.
const QDXAChannelOps& qdxaChannelOps();
/// Replaces the table and returns the previous replacement (null: back to the dispatch).
const QDXAChannelOps* qdxaSetChannelOps(const QDXAChannelOps* ops);

/// The clock of the exchange deadline (gettimeofday by default); replaces it and returns the
/// previous one (null restores gettimeofday).
using QDXAClock = void (*)(timeval* now);
void qdxaNow(timeval* now);
QDXAClock qdxaSetClock(QDXAClock clock);
