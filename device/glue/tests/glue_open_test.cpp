// Opening and closing protocol sessions on the test printer, and the printer information
// cached at open.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "core/core_admin.h"
#include "core/core_context.h"
#include "glue/glue_component.h"
#include "glue/glue_error.h"
#include "glue/glue_session.h"
#include "glue_printer.h"

namespace gluetest {
namespace {

using namespace std::chrono_literals;

std::string modelOf(const std::uint8_t* model) {
    return {reinterpret_cast<const char*>(model + 1), model[0]};
}

using GlueOpen = GluePrinter;

TEST_F(GlueOpen, ChecksTheVersionsThenReadsModelAndStateInThatOrder) {
    ASSERT_EQ(open(), 0);
    ASSERT_NE(session, nullptr);
    const auto& requests = responder.requests;
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(operationOf(requests[0]), qdxa::kOpEcho);
    EXPECT_TRUE(parameterOf(requests[0]).empty());
    EXPECT_EQ(operationOf(requests[1]), qdxa::kOpEcho);
    const Bytes question = parameterOf(requests[1]);
    EXPECT_EQ(std::string(question.begin(), question.end()), "Support QDXA v2 Operations?");
    ASSERT_EQ(operationOf(requests[2]), qdxa::kOpGet2);
    EXPECT_EQ(get2NamesOf(requests[2]).objects, std::vector<std::uint32_t>{101});
    EXPECT_EQ(get2NamesOf(requests[2]).attributes, std::vector<std::uint16_t>{1056});
    ASSERT_EQ(operationOf(requests[3]), qdxa::kOpGet2);
    EXPECT_EQ(get2NamesOf(requests[3]).objects, std::vector<std::uint32_t>{601});
    EXPECT_EQ(get2NamesOf(requests[3]).attributes, std::vector<std::uint16_t>{282});
    for (const Bytes& request : requests) {
        EXPECT_EQ(firstIdOf(request), 0u);
        EXPECT_EQ(secondIdOf(request), 0u);
    }

    EXPECT_EQ(session->protocolVersion, 0x10);
    EXPECT_EQ(modelOf(session->modelName), kModelName);
    EXPECT_EQ(session->printerState, 3);
    EXPECT_EQ(session->stateReason, 2);
    EXPECT_EQ(session->printable, 1);
    EXPECT_EQ(session->statusDetailCode, 0x1000u);
}

TEST_F(GlueOpen, AnotherProtocolVersionIsRefusedAndTheSessionUnbound) {
    responder.protocolVersion = 0x11;
    const std::size_t descriptors = openDescriptorCount();
    EXPECT_EQ(open(), kGlueVersionErr);
    EXPECT_EQ(session, nullptr);
    EXPECT_EQ(responder.requests.size(), 1u);
    EXPECT_EQ(openDescriptorCount(), descriptors);  // the control channel is closed again
}

TEST_F(GlueOpen, APrinterThatDoesNotAnswerYesLacksVersionTwo) {
    for (const std::string answer : {"no", "", "yesterday", "ye"}) {
        SCOPED_TRACE(answer);
        responder.versionTwoAnswer = answer;
        const std::size_t descriptors = openDescriptorCount();
        EXPECT_EQ(open(), kGlueNoVersion2Err);
        EXPECT_EQ(session, nullptr);
        EXPECT_EQ(openDescriptorCount(), descriptors);
    }
}

TEST_F(GlueOpen, AddressesWithoutANetworkOrUSBEndpointSendNothing) {
    for (const std::string target :
         {"mdns:Studio._printer._tcp.local.", "notuse:/tmp/x", "lpd://127.0.0.1/"}) {
        SCOPED_TRACE(target);
        EXPECT_EQ(glue_qdxaOpen(target.c_str(), channel.get(), qdxa::kChannelKindControl, &session),
                  kGlueFailure);
        EXPECT_EQ(session, nullptr);
    }
    EXPECT_EQ(glue_qdxaOpen(address.c_str(), channel.get(), qdxa::kChannelKindControl, nullptr),
              kGlueParamErr);
    std::this_thread::sleep_for(100ms);
    EXPECT_TRUE(printer->controlMessages().empty());
}

TEST_F(GlueOpen, AFailedReadDuringTheOpenIsReportedAndUnbinds) {
    responder.script({});
    responder.script({});
    responder.script({qdxa_test::ReplyFault::None, true, 12});  // the model name read
    const std::size_t descriptors = openDescriptorCount();
    EXPECT_EQ(open(), 12);
    EXPECT_EQ(session, nullptr);
    EXPECT_EQ(openDescriptorCount(), descriptors);
}

TEST_F(GlueOpen, TheCachedModelNameKeeps47Characters) {
    const std::string longName(60, 'M');
    responder.objects[101] = {{1056, qdxa_test::codedString(1, longName)}};
    ASSERT_EQ(open(), 0);
    EXPECT_EQ(modelOf(session->modelName), longName.substr(0, 47));

    std::uint8_t model[256] = {};
    EXPECT_EQ(glue_qdxaGetComponentModel(session, model), 0);
    EXPECT_EQ(modelOf(model), longName);
}

TEST_F(GlueOpen, APrinterWithoutModelAndStateKeepsTheDefaults) {
    responder.objects.clear();
    ASSERT_EQ(open(), 0);
    EXPECT_EQ(session->modelName[0], 0);
    EXPECT_EQ(session->printerState, 1);
    EXPECT_EQ(session->stateReason, 0);
    EXPECT_EQ(session->printable, 1);
    EXPECT_EQ(session->statusDetailCode, 0u);
}

TEST_F(GlueOpen, TheStateDetailIsTheCurrentCodeOrTheLargestOrdinaryOne) {
    openSession();
    struct Case {
        std::vector<std::uint32_t> codes;
        std::uint32_t current;
        std::uint8_t last;
        std::uint32_t detail;
        std::uint8_t printable;
    };
    const Case cases[] = {
        {{}, 0x2000, 3, 0, 0},                             // no codes: the last byte is byte 9
        {{0x1000, 0x5000000}, 0x2000, 0, 0x1000, 1},       // above 0x4FFFFFF never counts
        {{0x3000, 0x1000, 0x2000}, 0x1000, 1, 0x1000, 1},  // the current code wins
        {{0x01060100, 0x500}, 0x01060100, 0, 0x500, 1},    // 01 06 01 00 is never taken
        {{0x5000000}, 0x5000000, 0, 0x5000000, 1},         // a matching code is taken as it is
    };
    for (const Case& test : cases) {
        responder.objects[601] = {{282, stateValue(4, 7, test.codes, test.current, test.last)}};
        std::uint8_t state = 0, reason = 0, printable = 9;
        std::uint32_t detail = 9;
        ASSERT_EQ(glue_qdxaGetComponentState2(session, &state, &reason, &printable, &detail), 0);
        EXPECT_EQ(state, 4);
        EXPECT_EQ(reason, 7);
        EXPECT_EQ(detail, test.detail);
        EXPECT_EQ(printable, test.printable);
    }
}

TEST_F(GlueOpen, ACutStateValueLeavesTheDefaultsOfWhatIsMissing) {
    openSession();
    Bytes cut = stateValue(4, 7, {0x1000, 0x2000}, 0x2000, 3);
    cut.resize(8);  // state, reason, count and part of the first code
    responder.objects[601] = {{282, cut}};
    std::uint8_t state = 0, reason = 0, printable = 0;
    std::uint32_t detail = 9;
    ASSERT_EQ(glue_qdxaGetComponentState2(session, &state, &reason, &printable, &detail), 0);
    EXPECT_EQ(state, 4);
    EXPECT_EQ(reason, 7);
    EXPECT_EQ(printable, 1);
    EXPECT_EQ(detail, 0u);
}

TEST_F(GlueOpen, CloseFreesTheSessionAndClosesTheChannel) {
    const std::size_t descriptors = openDescriptorCount();
    ASSERT_EQ(open(), 0);
    session->profileList = Wqs_Mem_NewHandle(16);
    EXPECT_EQ(glue_qdxaClose(&session, 1), 0);
    EXPECT_EQ(session, nullptr);
    EXPECT_EQ(openDescriptorCount(), descriptors);
    EXPECT_EQ(glue_qdxaClose(&session, 0), 0);
    EXPECT_EQ(glue_qdxaClose(nullptr, 0), 0);
}

TEST_F(GlueOpen, ReopensOnTheSameChannelAfterAClose) {
    ASSERT_EQ(open(), 0);
    ASSERT_EQ(glue_qdxaClose(&session, 0), 0);
    ASSERT_EQ(open(), 0);
    EXPECT_EQ(responder.requests.size(), 8u);
}

TEST_F(GlueOpen, DisposersFreeTheHeldListsAndNeedASession) {
    openSession();
    // A calibration list of two entries whose handles are freed with it (the sanitizer checks).
    session->calibrationList =
        Wqs_Mem_NewHandle(kGlueCalibrationEntriesOffset + 2 * sizeof(GlueCalibrationEntry));
    const std::uint16_t count = 2;
    std::memcpy(session->calibrationList->data, &count, sizeof count);
    for (std::uint32_t index = 0; index < count; ++index) {
        GlueCalibrationEntry entry;
        for (auto& handle : entry.handles) {
            handle = Wqs_Mem_NewHandle(8);
        }
        std::memcpy(
            session->calibrationList->data + kGlueCalibrationEntriesOffset + index * sizeof entry,
            &entry, sizeof entry);
    }
    session->profileList = Wqs_Mem_NewHandle(4);
    EXPECT_EQ(glue_qdxaDispose_CalibrationListBuf(session), 0);
    EXPECT_EQ(glue_qdxaDispose_ProfileListBuf(session), 0);
    EXPECT_EQ(glue_qdxaDisposeJobListBuf(session), 0);
    EXPECT_EQ(session->calibrationList, nullptr);
    EXPECT_EQ(session->profileList, nullptr);
    EXPECT_EQ(glue_qdxaDispose_CalibrationListBuf(nullptr), kGlueParamErr);
    EXPECT_EQ(glue_qdxaDispose_ProfileListBuf(nullptr), kGlueParamErr);
    EXPECT_EQ(glue_qdxaDisposeJobListBuf(nullptr), kGlueParamErr);
}

TEST_F(GlueOpen, EchoCutsTheAnswerToTheBuffer) {
    openSession();
    std::uint8_t buffer[4] = {'p', 'i', 'n', 'g'};
    std::uint16_t length = 4;
    ASSERT_EQ(glue_qdxaEcho(session, buffer, &length, nullptr), 0);
    EXPECT_EQ(length, 4);
    EXPECT_EQ(std::string(buffer, buffer + 4), "ping");  // the model echoes the bytes back
    std::uint8_t version = 0;
    ASSERT_EQ(glue_qdxaEcho(session, nullptr, nullptr, &version), 0);
    EXPECT_EQ(version, 0x10);
    EXPECT_EQ(glue_qdxaEcho(nullptr, nullptr, nullptr, &version), kGlueParamErr);
}

TEST_F(GlueOpen, TheAdministrationCoreOpensASessionOnTheTestPrinter) {
    const std::string uri = "lpd://" + printer->address() + "/";
    CoreContext* context = CoreCreateContext(uri.c_str());
    ASSERT_NE(context, nullptr);
    ASSERT_EQ(CoreAdminInitialize(context), 0u);
    EXPECT_EQ(CoreAdminStart(context), 0u);
    EXPECT_EQ(responder.requests.size(), 4u);
    EXPECT_EQ(CoreAdminEnd(context), 0u);
    CoreAdminTerminate(context);
    CoreDeleteContext(context);
}

}  // namespace
}  // namespace gluetest
