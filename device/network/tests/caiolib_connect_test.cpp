// Connecting: an immediate refusal and a peer that never answers.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "network_fixture.h"

namespace networktest {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::int32_t kNoListenerPort = 9;  // discard: nothing listens on the printer's address

class Connect : public PrinterTest {};

TEST_F(Connect, ClosedLoopbackPortIsRefusedAtOnce) {
    startPrinter();
    Handle handle = makeHandle(printer().address());
    const auto start = Clock::now();
    EXPECT_EQ(
        caiolibOpen(handle.get(), kCaioModeJobData, kNoListenerPort, 1, nullptr, nullptr, 500),
        4203);
    EXPECT_LT(Clock::now() - start, 2s);
}

// A listener whose accept queue is full drops further connection requests, so a connect to it
// gets no answer at all.
class SilentListener {
  public:
    SilentListener() {
        listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        filler_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ready_ = bind(listener_, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
                 listen(listener_, 0) == 0 &&
                 getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
                 connect(filler_, reinterpret_cast<sockaddr*>(&address), length) == 0;
        port_ = ntohs(address.sin_port);
    }
    ~SilentListener() {
        close(filler_);
        close(listener_);
    }
    bool ready() const { return ready_; }
    std::int32_t port() const { return port_; }

  private:
    int listener_ = -1;
    int filler_ = -1;
    bool ready_ = false;
    std::int32_t port_ = 0;
};

TEST(ConnectTimeLimit, PeerThatNeverAnswersTimesOutAfterTheLimit) {
    SilentListener silent;
    ASSERT_TRUE(silent.ready());
    constexpr std::int32_t kLimit = 40;  // hundredths of a second
    Handle handle = makeHandle("127.0.0.1");
    const auto start = Clock::now();
    EXPECT_EQ(
        caiolibOpen(handle.get(), kCaioModeJobData, silent.port(), 1, nullptr, nullptr, kLimit),
        4156);
    const auto elapsed = Clock::now() - start;
    EXPECT_GE(elapsed, 390ms);
    EXPECT_LT(elapsed, 3s);
}

}  // namespace
}  // namespace networktest
