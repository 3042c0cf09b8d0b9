// The I/O channel: address prefixes, the transport tables, and forwarding to the transport.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "transport/caio.h"
#include "transport/caio_signature.h"
#include "transport/caio_tables.h"
#include "transport/tests/recording_transport.h"

namespace {

using devicetest::RecordingTransport;

struct SignatureCase {
    const char* address;
    const char* signature;         // null: no IO signature
    const char* transportAddress;  // what remains without the signature
};

TEST(CaioSignature, PrefixDecidesAndIsRemoved) {
    const SignatureCase cases[] = {
        {"net:192.0.2.7", "net:", "192.0.2.7"},
        {"net6:fe80::1%eth0", "net6:", "fe80::1%eth0"},
        {"mdns:printer.local", "mdns:", "printer.local"},
        {"usb://Maker/Model?serial=7", "usb://", "Maker/Model?serial=7"},
        {"notuse:/tmp/x", "notuse:", "/tmp/x"},
        {"net:", "net:", ""},
        {"NET:192.0.2.7", nullptr, nullptr},
        {"Usb://Maker", nullptr, nullptr},
        {"ftp://host", nullptr, nullptr},
        {"net", nullptr, nullptr},
        {"", nullptr, nullptr},
    };
    for (const SignatureCase& c : cases) {
        SCOPED_TRACE(c.address);
        const char* signature = LocalGetIOSignatureFromHxpdUri(c.address);
        std::string transportAddress = "unchanged";
        const int result = LocalHxpdUriToPrinterAddress(c.address, &transportAddress);
        if (c.signature == nullptr) {
            EXPECT_EQ(signature, nullptr);
            EXPECT_EQ(result, -1);
            EXPECT_EQ(transportAddress, "unchanged");
        } else {
            ASSERT_NE(signature, nullptr);
            EXPECT_STREQ(signature, c.signature);
            EXPECT_EQ(result, 0);
            EXPECT_EQ(transportAddress, c.transportAddress);
        }
    }
    std::string unused;
    EXPECT_EQ(LocalGetIOSignatureFromHxpdUri(nullptr), nullptr);
    EXPECT_EQ(LocalHxpdUriToPrinterAddress(nullptr, &unused), -1);
    EXPECT_EQ(LocalHxpdUriToPrinterAddress("net:x", nullptr), -1);
}

void expectTable(const CaioFunctionTable* table, const CaioFunctionTable& expected) {
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->create, expected.create);
    EXPECT_EQ(table->open, expected.open);
    EXPECT_EQ(table->read, expected.read);
    EXPECT_EQ(table->write, expected.write);
    EXPECT_EQ(table->close, expected.close);
    EXPECT_EQ(table->destroy, expected.destroy);
}

TEST(CaioTables, EachSignatureGetsItsTransport) {
    const CaioFunctionTable network{caiolibCreate, caiolibOpen,  caiolibRead,
                                    caiolibWrite,  caiolibClose, caiolibDestroy};
    const CaioFunctionTable usb{caioUSBlibCreate, caioUSBlibOpen,  caioUSBlibRead,
                                caioUSBlibWrite,  caioUSBlibClose, caioUSBlibDestroy};
    expectTable(LocalAssignCAIOFunctionPointer("net:192.0.2.7").get(), network);
    expectTable(LocalAssignCAIOFunctionPointer("net6:fe80::1%eth0").get(), network);
    expectTable(LocalAssignCAIOFunctionPointer("mdns:printer.local").get(), network);
    expectTable(LocalAssignCAIOFunctionPointer("usb://Maker/Model").get(), usb);
    for (const char* address : {"notuse:/tmp/x", "NET:192.0.2.7", "ftp://host", ""}) {
        EXPECT_EQ(LocalAssignCAIOFunctionPointer(address), nullptr) << address;
    }
    EXPECT_EQ(LocalAssignCAIOFunctionPointer(nullptr), nullptr);
}

TEST(CaioTables, EveryChannelOwnsItsOwnTable) {
    const auto first = LocalAssignCAIOFunctionPointer("net:a");
    const auto second = LocalAssignCAIOFunctionPointer("net:b");
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first.get(), second.get());
}

TEST(CaioDispatch, ForwardsEveryOperationToTheChosenTransport) {
    RecordingTransport network(CaioTransportKind::network);
    RecordingTransport usb(CaioTransportKind::usb);
    CaioChannel* channel = caioCreate("net6:fe80::1%eth0");
    ASSERT_NE(channel, nullptr);
    EXPECT_EQ(caioOpen(channel, kCaioModeControlStream, 9007, 1, nullptr, nullptr, 1000), 0);
    char buffer[16] = {};
    std::uint64_t count = sizeof buffer;
    network.readStatus = 0;
    EXPECT_EQ(caioRead(channel, kCaioModeControlStream, buffer, &count, 300), 0);
    count = 5;
    network.writeAccepted = 3;
    network.writeStatus = caioStatusFromCode(kCaioCodeTimedOut);
    EXPECT_EQ(caioWrite(channel, kCaioModeControlStream, "hello", &count, 300), 4156);
    EXPECT_EQ(count, 3u);
    network.closeStatus = 0;
    EXPECT_EQ(caioClose(channel, kCaioModeControlStream), 0);
    caioDestroy(channel);
    EXPECT_EQ(network.calls, (std::vector<std::string>{"create fe80::1%eth0", "open 2 9007 1 1000",
                                                       "read 2 16 300", "write 2 hello 300",
                                                       "close 2", "destroy"}));
    EXPECT_EQ(network.liveHandles, 0);
    EXPECT_TRUE(usb.calls.empty());

    CaioChannel* usbChannel = caioCreate("usb://Maker/Model?serial=7");
    ASSERT_NE(usbChannel, nullptr);
    caioDestroy(usbChannel);
    EXPECT_EQ(usb.calls, (std::vector<std::string>{"create Maker/Model?serial=7", "destroy"}));
}

TEST(CaioDispatch, AddressesWithoutATransportMakeNoChannel) {
    RecordingTransport network(CaioTransportKind::network);
    RecordingTransport usb(CaioTransportKind::usb);
    for (const char* address : {"notuse:/tmp/x", "NET:192.0.2.7", "USB://x", "ftp://host", ""}) {
        EXPECT_EQ(caioCreate(address), nullptr) << address;
    }
    EXPECT_EQ(caioCreate(nullptr), nullptr);
    EXPECT_TRUE(network.calls.empty());
    EXPECT_TRUE(usb.calls.empty());
}

TEST(CaioDispatch, TransportThatMakesNoHandleMakesNoChannel) {
    RecordingTransport network(CaioTransportKind::network);
    network.failCreate = true;
    EXPECT_EQ(caioCreate("mdns:printer.local"), nullptr);
    EXPECT_EQ(network.calls, std::vector<std::string>{"create printer.local"});
}

TEST(CaioDispatch, DestroyAfterAFailedOpenReleasesTheHandle) {
    RecordingTransport network(CaioTransportKind::network);
    network.openStatus = caioStatusFromCode(kCaioCodeRefused);
    CaioChannel* channel = caioCreate("net:192.0.2.7");
    ASSERT_NE(channel, nullptr);
    EXPECT_EQ(caioOpen(channel, kCaioModeJobData, 515, 0, nullptr, nullptr, 500), 4157);
    caioDestroy(channel);
    EXPECT_EQ(network.liveHandles, 0);
    EXPECT_EQ(network.calls.back(), "destroy");
}

TEST(CaioDispatch, MissingChannelBufferOrCountFailsWithoutCallingTheTransport) {
    RecordingTransport network(CaioTransportKind::network);
    char buffer[4] = {};
    std::uint64_t count = sizeof buffer;
    EXPECT_EQ(caioOpen(nullptr, kCaioModeJobData, 0, 0, nullptr, nullptr, 500), kCaioFailure);
    EXPECT_EQ(caioRead(nullptr, kCaioModeJobData, buffer, &count, 500), kCaioFailure);
    EXPECT_EQ(caioWrite(nullptr, kCaioModeJobData, buffer, &count, 500), kCaioFailure);
    EXPECT_EQ(caioClose(nullptr, kCaioModeJobData), kCaioFailure);
    caioDestroy(nullptr);

    CaioChannel* channel = caioCreate("net:192.0.2.7");
    ASSERT_NE(channel, nullptr);
    EXPECT_EQ(caioRead(channel, kCaioModeControlStream, nullptr, &count, 300), kCaioFailure);
    EXPECT_EQ(caioRead(channel, kCaioModeControlStream, buffer, nullptr, 300), kCaioFailure);
    EXPECT_EQ(caioWrite(channel, kCaioModeControlStream, nullptr, &count, 300), kCaioFailure);
    EXPECT_EQ(caioWrite(channel, kCaioModeControlStream, buffer, nullptr, 300), kCaioFailure);
    caioDestroy(channel);
    EXPECT_EQ(network.calls, (std::vector<std::string>{"create 192.0.2.7", "destroy"}));
}

}  // namespace
