// Printer-control stream (mode 2): exchanges, and reads and writes that time out or find the
// connection closed.
#include "network_fixture.h"

namespace networktest {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::int32_t kLimit = 300;
constexpr std::int32_t kShortLimit = 20;

testsupport::ControlReply echo(const testsupport::ControlMessage& message) {
    testsupport::ControlReply reply;
    reply.bytes = {'o', 'k', ':'};
    reply.bytes.insert(reply.bytes.end(), message.bytes.begin(), message.bytes.end());
    return reply;
}

class Stream : public PrinterTest {
  protected:
    void open() {
        handle_ = makeHandle(printer().address());
        ASSERT_EQ(caiolibOpen(handle_.get(), kCaioModeControlStream, 0, 0, nullptr, nullptr, 1000),
                  kCaioNoErr);
    }
    std::int32_t write(const std::string& text) {
        std::uint64_t count = text.size();
        return caiolibWrite(handle_.get(), kCaioModeControlStream, text.data(), &count, kLimit);
    }

    Handle handle_;
};

TEST_F(Stream, WriteReachesThePrinterAndItsReplyIsRead) {
    testsupport::TestPrinterOptions options;
    options.responder = echo;
    startPrinter(options);
    open();
    ASSERT_EQ(write("ping"), kCaioNoErr);

    char buffer[64] = {};
    std::uint64_t count = sizeof buffer;
    ASSERT_EQ(caiolibRead(handle_.get(), kCaioModeControlStream, buffer, &count, kLimit),
              kCaioNoErr);
    EXPECT_EQ(std::string(buffer, count), "ok:ping");
    ASSERT_TRUE(printer().waitForControlMessages(1, kWait));
    EXPECT_EQ(printer().controlMessages()[0].channel, testsupport::ControlChannel::kStream);
}

TEST_F(Stream, ReadWithNothingArrivingReportsSuccessAndLeavesTheCount) {
    startPrinter();
    open();
    char buffer[16] = "untouched";
    std::uint64_t count = sizeof buffer;
    const auto start = Clock::now();
    EXPECT_EQ(caiolibRead(handle_.get(), kCaioModeControlStream, buffer, &count, kShortLimit),
              kCaioNoErr);
    EXPECT_GE(Clock::now() - start, 190ms);
    EXPECT_EQ(count, sizeof buffer);
    EXPECT_STREQ(buffer, "untouched");
}

TEST_F(Stream, ReadOnAClosedConnectionReportsSuccessAndLeavesTheCount) {
    testsupport::TestPrinterOptions options;
    options.responder = [](const testsupport::ControlMessage&) {
        return testsupport::ControlReply{{}, true};
    };
    startPrinter(options);
    open();
    ASSERT_EQ(write("bye"), kCaioNoErr);
    ASSERT_TRUE(printer().waitForIdle(kWait));

    char buffer[16] = "untouched";
    std::uint64_t count = sizeof buffer;
    EXPECT_EQ(caiolibRead(handle_.get(), kCaioModeControlStream, buffer, &count, kLimit),
              kCaioNoErr);
    EXPECT_EQ(count, sizeof buffer);
    EXPECT_STREQ(buffer, "untouched");

    // Writing on: one write may still be taken, then the broken connection is reported.
    std::int32_t status = kCaioNoErr;
    for (int attempt = 0; attempt < 20 && status == kCaioNoErr; ++attempt) {
        status = write("more");
    }
    EXPECT_EQ(status, 4128);
}

TEST_F(Stream, WriteThatCannotProgressReportsZeroBytes) {
    testsupport::TestPrinterOptions options;
    options.readControlStream = false;
    startPrinter(options);
    open();
    const std::vector<std::uint8_t> block = patternBytes(1 << 20);
    constexpr int kMaxBlocks = 200;  // far beyond what the socket buffers hold
    bool stalled = false;
    for (int i = 0; i < kMaxBlocks && !stalled; ++i) {
        std::uint64_t count = block.size();
        ASSERT_EQ(
            caiolibWrite(handle_.get(), kCaioModeControlStream, block.data(), &count, kShortLimit),
            kCaioNoErr);
        stalled = count == 0;
    }
    EXPECT_TRUE(stalled);
}

}  // namespace
}  // namespace networktest
