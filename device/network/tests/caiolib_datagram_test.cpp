// Printer-control datagrams (mode 1): only the printer's port is heard, datagrams are delivered
// in pieces, and an over-long one is refused.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "network_fixture.h"

namespace networktest {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::int32_t kLimit = 300;
constexpr std::int32_t kShortLimit = 30;

class Datagram : public PrinterTest {
  protected:
    // Opens a handle to the printer and sends one datagram, so that the printer knows its peer.
    void openAndGreet() {
        handle_ = makeHandle(printer().address());
        ASSERT_EQ(
            caiolibOpen(handle_.get(), kCaioModeControlDatagram, 0, 0, nullptr, nullptr, 1000),
            kCaioNoErr);
        const std::string hello = "hello";
        std::uint64_t count = hello.size();
        ASSERT_EQ(
            caiolibWrite(handle_.get(), kCaioModeControlDatagram, hello.data(), &count, kLimit),
            kCaioNoErr);
        EXPECT_EQ(count, hello.size());
        ASSERT_TRUE(printer().waitForControlMessages(1, kWait));
    }

    std::int32_t read(std::vector<std::uint8_t>& into, std::uint64_t count,
                      std::int32_t limit = kLimit) {
        into.assign(count, 0xEE);
        const std::int32_t status =
            caiolibRead(handle_.get(), kCaioModeControlDatagram, into.data(), &count, limit);
        into.resize(count);
        return status;
    }

    Handle handle_;
};

TEST_F(Datagram, WriteArrivesAsOneDatagram) {
    startPrinter();
    openAndGreet();
    const auto messages = printer().controlMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].channel, testsupport::ControlChannel::kDatagram);
    EXPECT_EQ(std::string(messages[0].bytes.begin(), messages[0].bytes.end()), "hello");
}

TEST_F(Datagram, DatagramsFromElsewhereAreDropped) {
    startPrinter();
    openAndGreet();
    const sockaddr_in peer = *printer().lastDatagramPeer();

    // From the printer's own host on another port, and from another loopback host.
    for (const std::string& source : {printer().address(), std::string("127.0.0.1")}) {
        const int stray = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in from{};
        from.sin_family = AF_INET;
        inet_pton(AF_INET, source.c_str(), &from.sin_addr);
        ASSERT_EQ(bind(stray, reinterpret_cast<sockaddr*>(&from), sizeof from), 0);
        const char strayBytes[] = "stray";
        EXPECT_EQ(sendto(stray, strayBytes, sizeof strayBytes, 0,
                         reinterpret_cast<const sockaddr*>(&peer), sizeof peer),
                  static_cast<ssize_t>(sizeof strayBytes));
        close(stray);
    }
    const std::vector<std::uint8_t> answer = patternBytes(12, 1);
    ASSERT_TRUE(printer().sendDatagram(answer));

    std::vector<std::uint8_t> received;
    EXPECT_EQ(read(received, 64), kCaioNoErr);
    EXPECT_EQ(received, answer);
    EXPECT_EQ(read(received, 64, kShortLimit), 4156);
}

// Stray datagrams arriving without pause must not keep a read waiting beyond its limit.
TEST_F(Datagram, StreamOfStrayDatagramsCannotHoldTheReadForever) {
    startPrinter();
    openAndGreet();
    const sockaddr_in peer = *printer().lastDatagramPeer();
    std::atomic<bool> done{false};
    std::thread flood([&] {
        const int stray = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        const char bytes[] = "stray";
        for (int i = 0; i < 500 && !done; ++i) {  // at most 5 seconds
            sendto(stray, bytes, sizeof bytes, 0, reinterpret_cast<const sockaddr*>(&peer),
                   sizeof peer);
            std::this_thread::sleep_for(10ms);
        }
        close(stray);
    });
    std::vector<std::uint8_t> received;
    const auto start = Clock::now();
    EXPECT_EQ(read(received, 64, kShortLimit), 4156);
    EXPECT_LT(Clock::now() - start, 1500ms);
    done = true;
    flood.join();
}

TEST_F(Datagram, DatagramIsDeliveredInPiecesWithoutReceivingAgain) {
    startPrinter();
    openAndGreet();
    const std::vector<std::uint8_t> first = patternBytes(100, 3);
    const std::vector<std::uint8_t> second = patternBytes(50, 200);
    ASSERT_TRUE(printer().sendDatagram(first));
    ASSERT_TRUE(printer().sendDatagram(second));

    std::vector<std::uint8_t> received;
    ASSERT_EQ(read(received, 20), kCaioNoErr);
    EXPECT_EQ(received, std::vector<std::uint8_t>(first.begin(), first.begin() + 20));
    ASSERT_EQ(read(received, 80), kCaioNoErr);
    EXPECT_EQ(received, std::vector<std::uint8_t>(first.begin() + 20, first.end()));
    ASSERT_EQ(read(received, 200), kCaioNoErr);
    EXPECT_EQ(received, second);
}

TEST_F(Datagram, DatagramThatFillsTheBufferIsRefused) {
    startPrinter();
    openAndGreet();
    constexpr std::size_t kBufferSize = 10240;
    ASSERT_TRUE(printer().sendDatagram(patternBytes(kBufferSize)));
    const std::vector<std::uint8_t> largest = patternBytes(kBufferSize - 1, 9);
    ASSERT_TRUE(printer().sendDatagram(largest));

    std::vector<std::uint8_t> received;
    EXPECT_EQ(read(received, 2 * kBufferSize), kCaioFailure);
    EXPECT_EQ(read(received, 2 * kBufferSize), kCaioNoErr);
    EXPECT_EQ(received, largest);
}

TEST_F(Datagram, ReadWithNothingToReceiveTimesOutAfterTheLimit) {
    startPrinter();
    openAndGreet();
    std::vector<std::uint8_t> received;
    const auto start = Clock::now();
    EXPECT_EQ(read(received, 64, kShortLimit), 4156);
    const auto elapsed = Clock::now() - start;
    EXPECT_GE(elapsed, 290ms);
    EXPECT_LT(elapsed, 3s);
}

}  // namespace
}  // namespace networktest
