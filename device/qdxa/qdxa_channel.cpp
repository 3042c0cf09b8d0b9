// The channel table and the clock of the packet codec.
#include "qdxa/qdxa_channel.h"

namespace {

const QDXAChannelOps* gChannelOps = nullptr;

void systemClock(timeval* now) {
    gettimeofday(now, nullptr);
}

QDXAClock gClock = systemClock;

}  // namespace

const QDXAChannelOps& qdxaDispatchChannelOps() {
    static const QDXAChannelOps ops{caioOpen, caioRead, caioWrite, caioClose};
    return ops;
}

const QDXAChannelOps& qdxaChannelOps() {
    return gChannelOps != nullptr ? *gChannelOps : qdxaDispatchChannelOps();
}

const QDXAChannelOps* qdxaSetChannelOps(const QDXAChannelOps* ops) {
    const QDXAChannelOps* previous = gChannelOps;
    gChannelOps = ops;
    return previous;
}

void qdxaNow(timeval* now) {
    gClock(now);
}

QDXAClock qdxaSetClock(QDXAClock clock) {
    QDXAClock previous = gClock;
    gClock = clock != nullptr ? clock : systemClock;
    return previous;
}
