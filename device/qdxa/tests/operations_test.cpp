// Packet operations against the printer model, and parsers on hand-made replies.
#include <gtest/gtest.h>

#include <string>

#include "bound_session.h"
#include "qdxa/qdxa_builders.h"
#include "qdxa/qdxa_header.h"
#include "qdxa/qdxa_operations.h"
#include "qdxa/qdxa_parsers.h"

namespace qdxa_test {
namespace {

std::string text(const QDXAReplyCopy& copy) {
    return {reinterpret_cast<const char*>(copy.copy.get()), copy.length};
}

class Operations : public BoundSession {
  protected:
    /// Builds a request so that the session expects `operation`'s reply, then places `reply`.
    void expectReply(std::uint16_t operation, std::uint16_t result,
                     const std::vector<std::uint8_t>& parameter,
                     std::uint8_t flags = qdxa::kFlagResultValid) {
        make_echo(session, nullptr, nullptr);
        receive(buildPacket(operation, session->lastSequence, flags, result, parameter));
    }
};

TEST_F(Operations, EchoHandsBackOneByteAsValueAndLongerAnswersAsCopy) {
    const std::string question = "Support QDXA v2 Operations?";
    QDXAEchoRequest request{reinterpret_cast<const std::uint8_t*>(question.data()),
                            static_cast<std::uint16_t>(question.size())};
    QDXAEchoReply reply;
    ASSERT_EQ(QDXA_Echo(session, nullptr, &request, &reply), kQDXASuccess);
    EXPECT_EQ(text(reply.bytes), "yes");

    expectReply(qdxa::kOpEcho, 1, {});
    EXPECT_EQ(get_echo(session, &reply), kQDXASuccess);
    EXPECT_EQ(reply.value, 0);
    EXPECT_EQ(reply.bytes.copy.get(), nullptr);
}

TEST_F(Operations, IdentifiersGoIntoTheHeader) {
    QDXAIdentifiers ids{0xFFFF0001, 0x22};
    QDXAEchoReply reply;
    ASSERT_EQ(QDXA_Echo(session, &ids, nullptr, &reply), kQDXASuccess);
    const auto& packet = channel.packetsWritten.back();
    EXPECT_EQ(std::vector<std::uint8_t>(packet.begin() + 10, packet.begin() + 18),
              fromHex("FFFF0001 00000022"));
}

TEST_F(Operations, ReserveAndUnreserveCarryEndpointAddresses) {
    QDXAReserveRequest request{2012, 501, kQDXAAddressIPv4};
    QDXAReserveReply reply;
    ASSERT_EQ(QDXA_Reserve(session, nullptr, &request, &reply), kQDXASuccess);
    EXPECT_EQ(reply.value16, 2012);
    EXPECT_EQ(reply.value32, 501u);
    EXPECT_EQ(reply.address.kind, kQDXAAddressIPv4);
    EXPECT_EQ(reply.address.ipv4Address[0], 127);
    EXPECT_EQ(reply.address.ipv4Port, 9007);

    request.addressKind = kQDXAAddressIPv6;
    ASSERT_EQ(QDXA_Reserve(session, nullptr, &request, &reply), kQDXASuccess);
    ASSERT_NE(reply.address.ipv6, nullptr);
    EXPECT_EQ(reply.address.ipv6->address[15], 1);
    EXPECT_EQ(reply.address.ipv6->port, 9007);

    QDXAUnreserveRequest release{&reply.address};
    QDXAUnreserveReply released;
    ASSERT_EQ(QDXA_Unreserve(session, nullptr, &release, &released), kQDXASuccess);
    EXPECT_EQ(released.address.kind, kQDXAAddressIPv6);
    EXPECT_EQ(released.address.ipv6->port, 9007);
}

TEST_F(Operations, AnAddressOfAnUnknownKindOrCutShortIsRefusedWithTwo) {
    QDXAUnreserveReply reply;
    const char* replies[] = {"0005 00", "0063 06 7F000001 232F", "0001 06 7F000001",
                             "0001 05 7F000001 23", "00"};
    for (const char* parameter : replies) {
        SCOPED_TRACE(parameter);
        expectReply(qdxa::kOpUnreserve, 1, fromHex(parameter));
        EXPECT_EQ(get_unreserve(session, &reply), kQDXABadReply);
    }
}

TEST_F(Operations, JobControlsHandBackTheJobAndPassPrinterResultsOn) {
    responder.jobs.push_back({7, {}});
    QDXAObjectRequest request{7};
    QDXAObjectReply reply;
    EXPECT_EQ(QDXA_PauseJob(session, nullptr, &request, &reply), kQDXASuccess);
    EXPECT_EQ(reply.objectId, 7u);
    EXPECT_EQ(QDXA_ResumeJob(session, nullptr, &request, &reply), kQDXASuccess);
    EXPECT_EQ(QDXA_CancelJob(session, nullptr, &request, &reply), kQDXASuccess);
    // The job is gone: the printer's result comes back unchanged with a cleared record.
    EXPECT_EQ(QDXA_Delete(session, nullptr, &request, &reply), 8);
    EXPECT_EQ(reply.objectId, 0u);

    QDXAPromoteJobRequest promote{7, 3};
    QDXAPromoteJobReply promoted;
    EXPECT_EQ(QDXA_PromoteJob(session, nullptr, &promote, &promoted), kQDXASuccess);
    EXPECT_EQ(promoted.value, 3u);
}

TEST_F(Operations, ExecuteMethodCopiesTheAnswerAndPassesFourOn) {
    responder.methodAnswers[16414] = {0xDE, 0xAD};
    QDXAExecuteMethodRequest request{601, 16414, nullptr, 0};
    QDXAExecuteMethodReply reply;
    ASSERT_EQ(QDXA_ExecuteMethod(session, nullptr, &request, &reply), kQDXASuccess);
    EXPECT_EQ(reply.objectId, 601u);
    EXPECT_EQ(reply.methodId, 16414);
    ASSERT_EQ(reply.answer.length, 2u);
    EXPECT_EQ(reply.answer.copy.get()[1], 0xAD);

    responder.script({ReplyFault::None, true, 4});
    ASSERT_EQ(QDXA_ExecuteMethod(session, nullptr, &request, &reply), kQDXASuccessAlso);
}

TEST_F(Operations, ExecuteMethodReplyShorterThanItsLengthGivesTwo) {
    expectReply(qdxa::kOpExecuteMethod, 1, fromHex("00000259 0068 0102"));
    session->receivedLength -= 1;
    QDXAExecuteMethodReply reply;
    EXPECT_EQ(get_ExecuteMethod(session, &reply), kQDXABadReply);
    EXPECT_EQ(reply.answer.copy.get(), nullptr);
}

TEST_F(Operations, SetThenReadAnAttributeByGet2AndByElement) {
    const std::uint8_t value[] = {'A', '4'};
    QDXASet2Request set;
    set.objectId = 601;
    set.attributeId = 1056;
    set.value = value;
    set.valueLength = 2;
    QDXASet2Reply setReply;
    ASSERT_EQ(QDXA_Set2(session, nullptr, &set, &setReply), kQDXASuccess);
    EXPECT_EQ(setReply.attributeId, 1056);

    const std::uint32_t objects[] = {601};
    const std::uint16_t attributes[] = {1056};
    QDXAGet2Request get;
    get.objectCount = 1;
    get.objectIds = objects;
    get.attributeCount = 1;
    get.attributeIds = attributes;
    QDXAGet2Reply getReply;
    ASSERT_EQ(QDXA_Get2(session, nullptr, &get, &getReply), kQDXASuccess);
    EXPECT_EQ(getReply.objectCount, 1);
    EXPECT_EQ(std::vector<std::uint8_t>(getReply.data.copy.get(),
                                        getReply.data.copy.get() + getReply.data.length),
              fromHex("00000259 0001 0420 0002 4134"));

    QDXAGetListElementRequest element;
    element.objectId = 601;
    element.attributeId = 1056;
    QDXAGetListElementReply elementReply;
    ASSERT_EQ(QDXA_GetListElement(session, nullptr, &element, &elementReply), kQDXASuccess);
    EXPECT_EQ(elementReply.elementCount, 1);
    EXPECT_EQ(text(elementReply.elements), "A4");

    element.attributeId = 1;
    ASSERT_EQ(QDXA_GetListElement(session, nullptr, &element, &elementReply), kQDXASuccess);
    EXPECT_EQ(elementReply.elementCount, 0);
    EXPECT_EQ(elementReply.elements.copy.get(), nullptr);
}

TEST_F(Operations, AResultWithoutDataLeavesTheReplyCleared) {
    responder.jobs.push_back({1, {{4, codedString(1, "x")}}});
    responder.script({ReplyFault::None, true, 5});
    const std::uint32_t objects[] = {1};
    QDXAGet2Request get;
    get.objectCount = 1;
    get.objectIds = objects;
    QDXAGet2Reply reply;
    EXPECT_EQ(QDXA_Get2(session, nullptr, &get, &reply), 5);
    EXPECT_EQ(reply.objectCount, 0);
    EXPECT_EQ(reply.data.copy.get(), nullptr);
}

TEST_F(Operations, ListObjectsCopiesTheIdsButNeverMoreThanThePacketHolds) {
    responder.jobs = {{11, {}}, {12, {}}, {13, {}}};
    QDXAListObjects2Request request;
    request.objectClass = 201;
    request.selector = 22;
    request.parentId = 501;
    QDXAListObjects2Reply reply;
    ASSERT_EQ(QDXA_ListObjects2(session, nullptr, &request, &reply), kQDXASuccess);
    ASSERT_EQ(reply.count, 3);
    EXPECT_EQ(reply.ids.get()[2], 13u);
    EXPECT_EQ(reply.value16a, 201);

    expectReply(qdxa::kOpListObjects2, 29,
                fromHex("0005 00 00C9 16 000001F5 0000 0000 0009 0000000B 0000000C"));
    EXPECT_EQ(get_listObject2(session, &reply), kQDXAMoreToFetch);
    EXPECT_EQ(reply.listHandle, 5);
    ASSERT_EQ(reply.count, 2);
    EXPECT_EQ(reply.ids.get()[1], 12u);
}

TEST_F(Operations, ListExSkipsTheTypedValueAndRefusesUnknownTypes) {
    responder.objects[101] = {{9, {0x41, 0x42, 0x43}}};
    QDXAListExRequest request;
    request.objectId = 101;
    request.valueType = kQDXAValueType16;
    request.value = 9;
    QDXAListExReply reply;
    ASSERT_EQ(QDXA_ListEx(session, nullptr, &request, &reply), kQDXASuccess);
    EXPECT_EQ(reply.valueType, kQDXAValueType16);
    EXPECT_EQ(text(reply.data), "ABC");

    const struct {
        const char* parameter;
        std::int32_t result;
        const char* data;
    } cases[] = {
        {"0000 00 00000065 0002 09 0001 0002 0003 0004 41", 1, "A"},
        {"0000 00 00000065 0005 0009 0001 0002 0003 0004 41", 1, "A"},
        {"0000 00 00000065 0007 00000009 0001 0002 0003 0004 41", 1, "A"},
        {"0000 00 00000065 0003 0009 0001 0002 0003 0004 41", 6, ""},
        {"0000 00 00000065 0006 0000", 1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.parameter);
        expectReply(qdxa::kOpListEx, 1, fromHex(c.parameter));
        EXPECT_EQ(get_listex(session, &reply), c.result);
        EXPECT_EQ(text(reply.data), c.data);
    }
}

TEST_F(Operations, FileOperations) {
    const std::uint32_t files[] = {21, 22};
    QDXADeleteFilesRequest remove{2, files, 0};
    QDXAFileListReply reply;
    ASSERT_EQ(QDXA_DeleteFiles(session, nullptr, &remove, &reply), kQDXASuccess);
    ASSERT_EQ(reply.count, 2);
    EXPECT_EQ(reply.ids.get()[0], 21u);

    QDXAReplaceFilesRequest replace{1, files, {1, 2, 3}};
    ASSERT_EQ(QDXA_ReplaceFiles(session, nullptr, &replace, &reply), kQDXASuccess);
    ASSERT_EQ(reply.count, 1);
    EXPECT_EQ(reply.ids.get()[0], 21u);

    const std::uint8_t copies[] = {0, 3};
    const QDXAFileItem item{2007, 2, copies};
    const QDXAFileEntry entry{21, 1, &item};
    QDXAExecuteFile2Request execute{0, 0, 1, &entry};
    QDXAExecuteFile2Reply executed;
    EXPECT_EQ(QDXA_ExecuteFile2(session, nullptr, &execute, &executed), kQDXASuccess);

    QDXAChangeFileBoxPasswordRequest change{{4033, 1, 2, 15}, 0};
    QDXAChangeFileBoxPasswordReply changed;
    EXPECT_EQ(QDXA_ChangeFileBoxPassword(session, nullptr, &change, &changed), kQDXASuccess);
    EXPECT_EQ(changed.value32, 4033u);
}

TEST_F(Operations, ARequestTooLargeForTheSendHandleIsNotSent) {
    std::vector<std::uint32_t> many(200, 1);
    QDXAGet2Request get;
    get.objectCount = static_cast<std::uint16_t>(many.size());
    get.objectIds = many.data();
    QDXAGet2Reply reply;
    EXPECT_EQ(QDXA_Get2(session, nullptr, &get, &reply), kQDXAExchangeFailure);
    EXPECT_TRUE(channel.packetsWritten.empty());
}

class BinaryChannel : public BoundSession {
  protected:
    void SetUp() override {
        ASSERT_EQ(bind(qdxa::kChannelKindBinary, kQDXAAddressIPv4), kQDXASuccess);
    }
};

TEST_F(BinaryChannel, AcquisitionCollectsEveryPacketOfTheResource) {
    for (int index = 0; index < 2500; ++index) {
        responder.resource.push_back(static_cast<std::uint8_t>(index));
    }
    std::uint16_t sequence = 0;
    QDXAAcquireResourceReply reply;
    std::vector<std::uint8_t> assembled;
    std::int32_t status = QDXA_AcquireResource(session, nullptr, 0x700303, &reply, &sequence);
    EXPECT_EQ(sequence, 1);
    int packets = 1;
    for (;;) {
        assembled.insert(assembled.end(), reply.data.copy.get(),
                         reply.data.copy.get() + reply.data.length);
        if (status != kQDXAMoreToFetch) {
            break;
        }
        status = QDXA_AcquireResource(session, nullptr, 0, &reply, &sequence);
        ++packets;
    }
    EXPECT_EQ(status, kQDXASuccess);
    EXPECT_EQ(packets, 3);
    EXPECT_EQ(assembled, responder.resource);
    EXPECT_EQ(binaryChannel.packetsWritten.size(), 1u);
    EXPECT_TRUE(channel.packetsWritten.empty());
    EXPECT_EQ(QDXA_AcquireResource(session, nullptr, 1, &reply, nullptr), kQDXAExchangeFailure);
}

}  // namespace
}  // namespace qdxa_test
