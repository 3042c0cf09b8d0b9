// The session's reply reader: the input arrives on the channel, in reads of a size the first
// byte picks, as the replies to an echo and a Get2. Whatever arrives, each exchange ends and
// reports a code.
#include <cstddef>
#include <cstdint>

#include "../scripted_channel.h"
#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_memory.h"
#include "qdxa/qdxa_operations.h"
#include "qdxa/qdxa_session.h"
#include "support/fuzz_check.h"

namespace {

using qdxa_test::ScriptedChannel;

constexpr std::uint32_t kObjects[] = {101, 601};
constexpr std::uint16_t kAttributes[] = {1056, 282};
constexpr std::size_t kLargestChunk = 64;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    qdxa_test::ChannelScope scope;
    ScriptedChannel channel;
    ScriptedChannel binaryChannel;
    channel.readChunk = 1 + data[0] % kLargestChunk;
    channel.pending.assign(data + 1, data + size);

    QDXABindRecord record;
    record.deviceURI = "net:127.0.0.1";
    record.transport = channel.channel();
    record.binaryTransport = binaryChannel.channel();
    record.channelKind = qdxa::kChannelKindControl;
    QDXAEndpointAddress address;
    address.kind = 2;
    PacketSession* session = nullptr;
    testsupport::fuzzRequire(QDXA_Bind(&record, &address, &session) == kQDXASuccess,
                             "the session binds");

    QDXAEchoReply echo;
    QDXA_Echo(session, nullptr, nullptr, &echo);
    QDXAGet2Request request;
    request.objectCount = std::size(kObjects);
    request.objectIds = kObjects;
    request.attributeCount = std::size(kAttributes);
    request.attributeIds = kAttributes;
    QDXAGet2Reply get2;
    QDXA_Get2(session, nullptr, &request, &get2);
    QDXA_Unbind(session);
    return 0;
}
