// Ownership of an I/O channel: the channel is destroyed exactly once, when its owner ends.
#pragma once

#include <memory>

#include "transport/caio.h"

struct CaioChannelDeleter {
    void operator()(CaioChannel* channel) const { caioDestroy(channel); }
};

/// An owned channel made by caioCreate.
using CaioChannelPtr = std::unique_ptr<CaioChannel, CaioChannelDeleter>;
