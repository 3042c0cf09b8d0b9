// The codec's channel table over the transport dispatch.
#include "qdxa/qdxa_channel.h"

const QDXAChannelOps& qdxaDispatchChannelOps() {
    static const QDXAChannelOps ops{caioOpen, caioRead, caioWrite, caioClose};
    return ops;
}
