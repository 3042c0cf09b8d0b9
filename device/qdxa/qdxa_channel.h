// How the packet codec reaches the I/O channel and the clock.
//
// The exchange calls the channel and reads the time through this table's seam, whose production
// table holds the channel operations of the transport dispatch and gettimeofday; tests put a
// recording channel and a stepped clock in its place with a seam::ScopedOverride.
#pragma once

#include <sys/time.h>

#include <cstdint>

#include "seam/seam.h"
#include "transport/caio.h"

/// The four channel operations that the codec uses, with the signatures of the dispatch, and the
/// clock of the exchange deadline.
struct QDXAChannelOps {
    std::int32_t (*open)(CaioChannel* channel, std::int32_t mode, std::int32_t port,
                         std::uint8_t raw, CaioEventAddress* eventAddress, char** addressCopy,
                         std::int32_t timeLimit);
    std::int32_t (*read)(CaioChannel* channel, std::int32_t mode, void* buffer,
                         std::uint64_t* count, std::int32_t timeLimit);
    std::int32_t (*write)(CaioChannel* channel, std::int32_t mode, const void* buffer,
                          std::uint64_t* count, std::int32_t timeLimit);
    std::int32_t (*close)(CaioChannel* channel, std::int32_t mode);
    void (*now)(timeval* now);
};

/// The seam of the codec's channel and clock: caioOpen, caioRead, caioWrite, caioClose and
/// gettimeofday unless overridden.
seam::Seam<QDXAChannelOps>& qdxaChannelSeam();
