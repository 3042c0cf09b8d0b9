// The codec's channel table while the library is built without the transport dispatch: every
// operation fails, so that no exchange can report success.
#include "qdxa/qdxa_channel.h"

namespace {

std::int32_t openAbsent(void*, std::int32_t, std::int32_t, std::uint8_t, CaioEventAddress*, char**,
                        std::int32_t) {
    return kCaioFailure;
}
std::int32_t readAbsent(void*, std::int32_t, void*, std::uint64_t*, std::int32_t) {
    return kCaioFailure;
}
std::int32_t writeAbsent(void*, std::int32_t, const void*, std::uint64_t*, std::int32_t) {
    return kCaioFailure;
}
std::int32_t closeAbsent(void*, std::int32_t) { return kCaioFailure; }

}  // namespace

const QDXAChannelOps& qdxaDispatchChannelOps() {
    static const QDXAChannelOps ops{openAbsent, readAbsent, writeAbsent, closeAbsent};
    return ops;
}
