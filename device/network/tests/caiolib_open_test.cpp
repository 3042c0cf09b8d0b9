// Opening and closing handles: refused second opens, bad arguments, the address copy and the
// event port, and no descriptor left behind.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "network_fixture.h"

namespace networktest {
namespace {

constexpr std::uint16_t kRawPort = 9101;

class Open : public PrinterTest {
  protected:
    void SetUp() override {
        testsupport::TestPrinterOptions options;
        options.rawPort = kRawPort;
        startPrinter(options);
    }
    // Job data goes raw so that the printer needs no LPR exchange.
    std::int32_t open(void* handle, std::int32_t mode, CaioEventAddress* record = nullptr,
                      char** copy = nullptr) {
        return caiolibOpen(handle, mode, kRawPort, 1, record, copy, 500);
    }
};

TEST_F(Open, SecondOpenOfAnOpenHandleIsRefusedInAnyModeWithoutLeaks) {
    const std::int32_t modes[] = {kCaioModeJobData, kCaioModeControlDatagram,
                                  kCaioModeControlStream};
    for (const std::int32_t first : modes) {
        for (const std::int32_t second : modes) {
            SCOPED_TRACE("open in mode " + std::to_string(first) + ", then in mode " +
                         std::to_string(second));
            const std::size_t before = openDescriptorCount();
            Handle handle = makeHandle(printer().address());
            ASSERT_EQ(open(handle.get(), first), kCaioNoErr);
            EXPECT_EQ(open(handle.get(), second), kCaioFailure);

            // The refused open ended the first: the handle is closed, and opens again.
            std::uint64_t count = 1;
            EXPECT_EQ(caiolibWrite(handle.get(), first, "x", &count, 500), kCaioFailure);
            EXPECT_EQ(open(handle.get(), first), kCaioNoErr);
            EXPECT_EQ(caiolibClose(handle.get(), first), kCaioNoErr);
            handle.reset();
            ASSERT_TRUE(printer().waitForIdle(kWait));
            EXPECT_EQ(openDescriptorCount(), before);
        }
    }
}

TEST_F(Open, FailedOpensLeaveNoDescriptor) {
    const std::size_t before = openDescriptorCount();
    {
        Handle handle = makeHandle(printer().address());
        EXPECT_EQ(open(handle.get(), 3), kCaioFailure);
        EXPECT_EQ(open(handle.get(), -1), kCaioFailure);
        EXPECT_EQ(caiolibOpen(handle.get(), kCaioModeJobData, 9, 1, nullptr, nullptr, 500), 4203);
        EXPECT_EQ(caiolibOpen(handle.get(), kCaioModeJobData, 70000, 1, nullptr, nullptr, 500),
                  kCaioFailure);
    }
    EXPECT_EQ(openDescriptorCount(), before);
}

TEST_F(Open, NullArgumentsAreRefused) {
    Handle handle = makeHandle(printer().address());
    ASSERT_EQ(open(handle.get(), kCaioModeControlDatagram), kCaioNoErr);
    char buffer[4];
    std::uint64_t count = sizeof buffer;
    EXPECT_EQ(open(nullptr, kCaioModeControlDatagram), kCaioFailure);
    EXPECT_EQ(caiolibRead(nullptr, 1, buffer, &count, 10), kCaioFailure);
    EXPECT_EQ(caiolibRead(handle.get(), 1, nullptr, &count, 10), kCaioFailure);
    EXPECT_EQ(caiolibRead(handle.get(), 1, buffer, nullptr, 10), kCaioFailure);
    EXPECT_EQ(caiolibWrite(nullptr, 1, buffer, &count, 10), kCaioFailure);
    EXPECT_EQ(caiolibWrite(handle.get(), 1, nullptr, &count, 10), kCaioFailure);
    EXPECT_EQ(caiolibClose(nullptr, 1), kCaioFailure);
    caiolibDestroy(nullptr);

    // A handle made without an address has nowhere to go.
    Handle empty(caiolibCreate(nullptr));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(open(empty.get(), kCaioModeControlDatagram), kCaioFailure);
}

TEST_F(Open, JobDataCannotBeReadBack) {
    Handle handle = makeHandle(printer().address());
    ASSERT_EQ(open(handle.get(), kCaioModeJobData), kCaioNoErr);
    char buffer[4];
    std::uint64_t count = sizeof buffer;
    EXPECT_EQ(caiolibRead(handle.get(), kCaioModeJobData, buffer, &count, 10), kCaioFailure);
}

TEST_F(Open, AddressCopyIsGivenOnlyForASuccessfulOpen) {
    const std::string address = printer().address() + "/Queue";
    Handle handle = makeHandle(address);
    char* copy = nullptr;
    ASSERT_EQ(open(handle.get(), kCaioModeControlDatagram, nullptr, &copy), kCaioNoErr);
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy, address.c_str());
    std::free(copy);

    copy = nullptr;
    EXPECT_EQ(open(handle.get(), kCaioModeControlDatagram, nullptr, &copy), kCaioFailure);
    EXPECT_EQ(copy, nullptr);
}

// Whether 127.0.0.x:port can be bound by someone else.
bool canBind(std::uint32_t addressNetworkOrder, std::uint16_t port, int type) {
    const int probe = socket(AF_INET, type | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = addressNetworkOrder;
    address.sin_port = htons(port);
    const bool bound = bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(probe);
    return bound;
}

TEST_F(Open, EventPortIsBoundInItsRangeAndReleasedByClose) {
    const std::size_t before = openDescriptorCount();
    Handle handle = makeHandle(printer().address());
    CaioEventAddress record;
    record.port = 1;  // the open clears whatever the record held
    record.ipv4Address = 1;
    ASSERT_EQ(open(handle.get(), kCaioModeControlDatagram, &record), kCaioNoErr);
    EXPECT_EQ(record.kind, 2);
    EXPECT_EQ(record.next, nullptr);
    if (record.port == 0) {
        // This machine's name gives no local IPv4 address: the record says so with zeros.
        EXPECT_EQ(record.ipv4Address, 0u);
    } else {
        EXPECT_GE(record.port, 52685);
        EXPECT_LE(record.port, 52940);
        EXPECT_FALSE(canBind(record.ipv4Address, record.port, SOCK_DGRAM));
        caiolibClose(handle.get(), kCaioModeControlDatagram);
        EXPECT_TRUE(canBind(record.ipv4Address, record.port, SOCK_DGRAM));
    }
    handle.reset();
    EXPECT_EQ(openDescriptorCount(), before);
}

TEST_F(Open, FailedOpenLeavesTheEventRecordCleared) {
    Handle handle = makeHandle(printer().address());
    CaioEventAddress record;
    record.kind = 20;
    record.port = 52685;
    EXPECT_EQ(open(handle.get(), 7, &record), kCaioFailure);
    EXPECT_EQ(record.kind, 0);
    EXPECT_EQ(record.port, 0);
}

}  // namespace
}  // namespace networktest
