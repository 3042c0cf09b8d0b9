// Binding and unbinding packet sessions, memory handles, reply copies and result classes.
#include <gtest/gtest.h>

#include <malloc.h>

#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_memory.h"
#include "qdxa/qdxa_session.h"
#include "scripted_channel.h"

namespace qdxa_test {
namespace {

struct Binding {
    ChannelScope scope;
    ScriptedChannel control;
    ScriptedChannel binary;
    QDXABindRecord record;
    QDXAEndpointAddress address;
    PacketSession* session = nullptr;

    explicit Binding(std::uint8_t channelKind, std::uint16_t addressKind = 2) {
        record.deviceURI = "net:192.0.2.1";
        record.transport = control.channel();
        record.binaryTransport = binary.channel();
        record.owner = this;
        record.channelKind = channelKind;
        address.kind = addressKind;
    }
    std::int32_t bind() { return QDXA_Bind(&record, &address, &session); }
};

TEST(PacketSession, BindChoosesTheReceiveSizeByAddressKind) {
    const struct {
        std::uint16_t kind;
        std::int32_t status;
        std::uint32_t size;
    } cases[] = {{7, 1, 512},   {16, 1, 512}, {17, 1, 512},  {1, 1, 4096},
                 {2, 1, 4096},  {6, 1, 4096}, {15, 1, 4096}, {19, 1, 4096},
                 {20, 1, 4096}, {3, 19, 0},   {0, 19, 0},    {21, 19, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        Binding binding(qdxa::kChannelKindControl, c.kind);
        EXPECT_EQ(binding.bind(), c.status);
        EXPECT_EQ(RecievePacketSize(binding.session), c.size);
        if (binding.session != nullptr) {
            EXPECT_EQ(binding.session->sendHandle->size, kQDXASendSize);
            EXPECT_EQ(binding.session->sequence, 1);
            EXPECT_EQ(binding.session->deviceURI, "net:192.0.2.1");
            EXPECT_EQ(binding.session->owner, &binding);
            EXPECT_EQ(binding.control.openedModes, std::vector<std::int32_t>{kQDXAControlChannel});
        } else {
            EXPECT_TRUE(binding.control.openedModes.empty());
        }
        EXPECT_EQ(QDXA_Unbind(binding.session), kQDXASuccess);
    }
}

TEST(PacketSession, BinaryBindOpensChannelTwoOfTheBinaryTransport) {
    Binding binding(qdxa::kChannelKindBinary, 99);
    ASSERT_EQ(binding.bind(), kQDXASuccess);
    EXPECT_EQ(RecievePacketSize(binding.session), 65535u);
    EXPECT_EQ(binding.session->transport, binding.binary.channel());
    EXPECT_EQ(binding.binary.openedModes, std::vector<std::int32_t>{kQDXABinaryChannel});
    EXPECT_TRUE(binding.control.openedModes.empty());
    EXPECT_EQ(QDXA_Unbind(binding.session), kQDXASuccess);
    EXPECT_EQ(binding.binary.closedModes, std::vector<std::int32_t>{kQDXABinaryChannel});
}

TEST(PacketSession, BindFailuresLeaveNoSession) {
    Binding unknownChannel(9);
    EXPECT_EQ(unknownChannel.bind(), kQDXAExchangeFailure);
    EXPECT_EQ(unknownChannel.session, nullptr);

    Binding refused(qdxa::kChannelKindControl);
    refused.control.openStatus = 4157;
    EXPECT_EQ(refused.bind(), 4157);
    EXPECT_EQ(refused.session, nullptr);
    EXPECT_TRUE(refused.control.closedModes.empty());

    Binding missing(qdxa::kChannelKindControl);
    PacketSession* session = reinterpret_cast<PacketSession*>(&missing);
    EXPECT_EQ(QDXA_Bind(nullptr, &missing.address, &session), kQDXAMissingArgument);
    EXPECT_EQ(session, nullptr);
    EXPECT_EQ(QDXA_Bind(&missing.record, nullptr, &session), kQDXAMissingArgument);
    EXPECT_EQ(QDXA_Bind(&missing.record, &missing.address, nullptr), kQDXAMissingArgument);
}

TEST(PacketSession, UnbindReportsAFailedCloseAndStillFrees) {
    Binding binding(qdxa::kChannelKindControl);
    ASSERT_EQ(binding.bind(), kQDXASuccess);
    binding.control.closeStatus = kCaioFailure;
    EXPECT_EQ(QDXA_Unbind(binding.session), kCaioFailure);
    EXPECT_EQ(binding.control.closedModes, std::vector<std::int32_t>{kQDXAControlChannel});
}

TEST(PacketSession, AbortFlagAndDumpFlag) {
    Binding binding(qdxa::kChannelKindControl);
    ASSERT_EQ(binding.bind(), kQDXASuccess);
    EXPECT_EQ(NCT_QDXA_SetAbort(binding.session, 1), kQDXANoErr);
    EXPECT_EQ(binding.session->abort, 1);
    EXPECT_EQ(NCT_QDXA_SetAbort(nullptr, 1), kQDXAMissingArgument);
    EXPECT_EQ(RecievePacketSize(nullptr), 0u);
    QDXA_Unbind(binding.session);

    setIsDumpEnabled(7);
    EXPECT_EQ(isDumpEnabled(), 1);
    setIsDumpEnabled(0);
    EXPECT_EQ(isDumpEnabled(), 0);
}

TEST(MemoryHandle, NewGrowAndDispose) {
    WqsMemHandle* handle = Wqs_Mem_NewHandle(0);
    ASSERT_NE(handle, nullptr);
    std::uint32_t size = 0;
    EXPECT_EQ(Wqs_Mem_GetHandleSize(handle, &size), kQDXANoErr);
    EXPECT_EQ(size, 1u);
    EXPECT_EQ(handle->data[0], 0);
    EXPECT_EQ(Wqs_Mem_SetHandleSize(handle, 5000), kQDXANoErr);
    handle->data[4999] = 9;
    EXPECT_EQ(Wqs_Mem_SetHandleSize(handle, 0), kQDXANoErr);
    EXPECT_EQ(handle->size, 1u);
    Wqs_Mem_DisposeHandle(handle);
    Wqs_Mem_DisposeHandle(nullptr);

    WqsMemHandle* cleared = Wqs_Mem_NewHandleClear(64);
    ASSERT_NE(cleared, nullptr);
    EXPECT_EQ(std::count(cleared->data, cleared->data + 64, 0), 64);
    Wqs_Mem_DisposeHandle(cleared);

    EXPECT_EQ(Wqs_Mem_GetHandleSize(nullptr, &size), kQDXAMissingArgument);
    EXPECT_EQ(Wqs_Mem_SetHandleSize(nullptr, 1), kQDXAMissingArgument);
    WqsMemHandle empty;
    EXPECT_EQ(Wqs_Mem_SetHandleSize(&empty, 1), kQDXAOutOfMemory);
}

TEST(ReplyCopy, SizeIsTakenModulo65536) {
    void* copy = nullptr;
    ASSERT_EQ(QDXA_AllocMemory(0x10000 + 3, &copy), kQDXASuccess);
    EXPECT_LT(malloc_usable_size(copy), 64u);
    QDXA_FreeMemory(copy);
    EXPECT_EQ(QDXA_AllocMemory(1, nullptr), kQDXAMissingArgument);
}

TEST(ResultClass, ProtocolResultsAreOneToElevenAndThirteenToThirtyThree) {
    for (std::int32_t status = -1; status <= 40; ++status) {
        const bool expected = (status >= 1 && status <= 11) || (status >= 13 && status <= 33);
        EXPECT_EQ(checkQDXAError(status), expected) << status;
    }
    EXPECT_FALSE(checkQDXAError(4156));
}

}  // namespace
}  // namespace qdxa_test
