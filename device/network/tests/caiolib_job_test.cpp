// Job data (mode 0): the LPR receive-job exchange on port 515 and raw TCP on another port.
#include <unistd.h>

#include <climits>
#include <iomanip>
#include <sstream>

#include "network/caiolib_internal.h"
#include "network_fixture.h"

namespace networktest {
namespace {

constexpr std::uint16_t kRawPort = 9100;

std::string hostName() {
    char name[HOST_NAME_MAX + 1] = {};
    gethostname(name, sizeof name - 1);
    return std::string(name).substr(0, 31);
}

std::string jobNumber() {
    std::ostringstream digits;
    digits << std::setw(3) << std::setfill('0') << getpid() % 1000;
    return digits.str();
}

// Every byte an LPR printer should receive for `data` sent to `queue`, written out by hand.
std::string expectedLprExchange(const std::string& queue, const std::string& data) {
    const std::string host = hostName();
    const std::string job = jobNumber();
    const std::string controlFile = "H" + host + "\nPMacUser\nJuntitled\nldfA" + job + host +
                                    "\nUdfA" + job + host + "\nNuntitled\n";
    return "\x02" + queue + "\n" + "\x02" + std::to_string(controlFile.size()) + " cfA" + job +
           host + "\n" + controlFile + std::string(1, '\0') + "\x03" + "125899906843000 dfA" + job +
           host + "\n" + data;
}

class JobData : public PrinterTest {};

TEST_F(JobData, LprExchangeIsByteExactForEachQueueForm) {
    startPrinter();
    const struct {
        std::string suffix;
        std::string queue;
    } cases[] = {{"/Photo_Queue", "Photo_Queue"}, {"/", "Orvane"}, {"", "Orvane"}};
    const std::vector<std::uint8_t> data = patternBytes(3000);
    const std::string dataText(data.begin(), data.end());

    std::size_t sent = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE("address suffix '" + c.suffix + "'");
        Handle handle = makeHandle(printer().address() + c.suffix);
        ASSERT_EQ(caiolibOpen(handle.get(), kCaioModeJobData, 0, 0, nullptr, nullptr, 500),
                  kCaioNoErr);
        ASSERT_EQ(writeAll(handle.get(), kCaioModeJobData, data, 500), kCaioNoErr);
        EXPECT_EQ(caiolibClose(handle.get(), kCaioModeJobData), kCaioNoErr);
        ASSERT_TRUE(printer().waitForJobs(++sent, kWait));

        const testsupport::PrinterJob job = printer().jobs().back();
        EXPECT_EQ(job.transcript, expectedLprExchange(c.queue, dataText));
        EXPECT_TRUE(job.controlFileTerminated);
        EXPECT_EQ(job.data, dataText);
    }
}

TEST_F(JobData, AnyAcknowledgingByteLetsTheOpenSucceed) {
    testsupport::TestPrinterOptions options;
    options.lprAcknowledgement = 0x01;
    startPrinter(options);
    Handle handle = makeHandle(printer().address());
    ASSERT_EQ(caiolibOpen(handle.get(), kCaioModeJobData, 0, 0, nullptr, nullptr, 500), kCaioNoErr);
    ASSERT_EQ(writeAll(handle.get(), kCaioModeJobData, patternBytes(10), 500), kCaioNoErr);
    caiolibClose(handle.get(), kCaioModeJobData);
    ASSERT_TRUE(printer().waitForJobs(1, kWait));
    EXPECT_EQ(printer().jobs()[0].commands.size(), 3u);
    EXPECT_EQ(printer().jobs()[0].data.size(), 10u);
}

TEST_F(JobData, PrinterThatClosesAfterReceiveJobIsARefusal) {
    testsupport::TestPrinterOptions options;
    options.lprCloseAfterReceiveJob = true;
    startPrinter(options);
    Handle handle = makeHandle(printer().address() + "/Q");
    EXPECT_EQ(caiolibOpen(handle.get(), kCaioModeJobData, 0, 0, nullptr, nullptr, 500), 4203);
    ASSERT_TRUE(printer().waitForJobs(1, kWait));
    EXPECT_EQ(printer().jobs()[0].transcript, "\x02Q\n");

    // A failed open leaves nothing open: writing is refused.
    std::uint64_t count = 1;
    const char byte = 0;
    EXPECT_EQ(caiolibWrite(handle.get(), kCaioModeJobData, &byte, &count, 500), kCaioFailure);
}

TEST_F(JobData, RawJobOfTenMegabytesArrivesWholeAndInOrder) {
    testsupport::TestPrinterOptions options;
    options.rawPort = kRawPort;
    startPrinter(options);
    constexpr std::size_t kJobSize = 10 * 1024 * 1024;
    const std::vector<std::uint8_t> data = patternBytes(kJobSize, 7);

    Handle handle = makeHandle(printer().address());
    ASSERT_EQ(caiolibOpen(handle.get(), kCaioModeJobData, kRawPort, 1, nullptr, nullptr, 500),
              kCaioNoErr);
    ASSERT_EQ(writeAll(handle.get(), kCaioModeJobData, data, 500), kCaioNoErr);
    caiolibClose(handle.get(), kCaioModeJobData);
    ASSERT_TRUE(printer().waitForJobs(1, kWait));

    const testsupport::PrinterJob job = printer().jobs()[0];
    EXPECT_EQ(job.kind, testsupport::PrinterJob::Kind::kRaw);
    ASSERT_EQ(job.data.size(), kJobSize);
    EXPECT_TRUE(std::equal(data.begin(), data.end(),
                           reinterpret_cast<const std::uint8_t*>(job.data.data())));
}

TEST(LprPieces, JobNumberIsTheProcessIdInThreeDigits) {
    EXPECT_EQ(device::lprJobNumber(12345), "345");
    EXPECT_EQ(device::lprJobNumber(7), "007");
    EXPECT_EQ(device::lprJobNumber(1000), "000");
}

TEST(LprPieces, LongHostNameIsCutTo31CharactersInEveryLine) {
    const std::string host = device::lprHostName("a-very-long-host-name.example.internal.lan");
    ASSERT_EQ(host, "a-very-long-host-name.example.i");
    EXPECT_EQ(device::lprControlFile(host, "042"),
              "Ha-very-long-host-name.example.i\nPMacUser\nJuntitled\n"
              "ldfA042a-very-long-host-name.example.i\nUdfA042a-very-long-host-name.example.i\n"
              "Nuntitled\n");
}

TEST(LprPieces, QueueIsTheTextAfterTheFirstSlash) {
    EXPECT_EQ(device::lprQueueName("192.0.2.1/queue/with/slashes"), "queue/with/slashes");
    EXPECT_EQ(device::lprQueueName("fe80::1%en0/Q"), "Q");
    EXPECT_EQ(device::lprQueueName("printer.local/"), "Orvane");
    EXPECT_EQ(device::lprQueueName("printer.local"), "Orvane");
}

}  // namespace
}  // namespace networktest
