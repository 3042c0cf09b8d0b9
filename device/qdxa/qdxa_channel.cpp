// The channel table and the clock of the packet codec.
#include "qdxa/qdxa_channel.h"

namespace {

void systemClock(timeval* now) {
    gettimeofday(now, nullptr);
}

constexpr QDXAChannelOps kDispatchOps{caioOpen, caioRead, caioWrite, caioClose, systemClock};

}  // namespace

seam::Seam<QDXAChannelOps>& qdxaChannelSeam() {
    static seam::Seam<QDXAChannelOps> ops(kDispatchOps);
    return ops;
}
