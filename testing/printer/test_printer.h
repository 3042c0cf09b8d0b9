// A printer on a loopback address of its own, for tests: it takes LPR and raw TCP jobs and keeps
// what it received, and answers printer-control messages on UDP 47545 and TCP 9007.
//
// Each printer binds 127.0.0.x with x chosen per process and printer (Linux routes all of
// 127.0.0.0/8 to the loopback interface), so tests running in parallel can all bind the fixed
// ports. Binding port 515 needs root. The printer's threads stop and join when it is destroyed.
#pragma once

#include <netinet/in.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

inline constexpr std::uint16_t kTestPrinterLprPort = 515;
inline constexpr std::uint16_t kTestPrinterControlDatagramPort = 47545;
inline constexpr std::uint16_t kTestPrinterControlStreamPort = 9007;

/// One job as the printer received it.
struct PrinterJob {
    enum class Kind { kLpr, kRaw };
    Kind kind = Kind::kRaw;
    std::string transcript;              ///< LPR: every byte of the connection, in order
    std::vector<std::string> commands;   ///< LPR: each command line with its code and line feed
    std::string controlFile;             ///< LPR: the control file without its terminating zero
    bool controlFileTerminated = false;  ///< LPR: the control file was followed by a zero byte
    std::string data;                    ///< the data file, or every byte of a raw job
};

enum class ControlChannel { kDatagram, kStream };

/// One printer-control message: a datagram, or what one read of the stream delivered.
struct ControlMessage {
    ControlChannel channel = ControlChannel::kDatagram;
    std::vector<std::uint8_t> bytes;
};

/// What the printer answers to a control message.
struct ControlReply {
    std::vector<std::uint8_t> bytes;  ///< nothing is sent when empty
    bool closeConnection = false;     ///< stream only: close after the reply
};

/// Decides the answer to each control message; it runs on the printer's threads.
using ControlResponder = std::function<ControlReply(const ControlMessage&)>;

struct TestPrinterOptions {
    int loopbackHost = 0;                  ///< x of 127.0.0.x; 0 chooses one that is free
    std::uint16_t rawPort = 0;             ///< port of a raw TCP listener; 0 for none
    std::uint8_t lprAcknowledgement = 0;   ///< the byte that acknowledges each LPR command
    bool lprCloseAfterReceiveJob = false;  ///< close instead of acknowledging the first command
    bool readControlStream = true;         ///< false: accept on 9007 but never read
    ControlResponder responder;            ///< none: control messages are recorded only
    /// Broadcast addresses ("255.255.255.255", "127.255.255.255") whose datagrams to port 47545
    /// the printer takes as well; it answers them from its own address. Several printers may
    /// listen to one broadcast address. Only for a private network: on the machine's own, the
    /// printer would hear real broadcasts.
    std::vector<std::string> broadcastAddresses;
};

class TestPrinter {
  public:
    explicit TestPrinter(TestPrinterOptions options = {});
    ~TestPrinter();
    TestPrinter(const TestPrinter&) = delete;
    TestPrinter& operator=(const TestPrinter&) = delete;

    /// Binds every port and starts serving; false with error() set when a port cannot be bound.
    bool start();
    /// Stops serving, closes every socket and joins the threads; done by the destructor too.
    void stop();
    const std::string& error() const { return error_; }

    /// "127.0.0.x"
    std::string address() const;

    /// Waits until `count` jobs are complete (the client closed); false after `timeout`.
    bool waitForJobs(std::size_t count, std::chrono::milliseconds timeout);
    std::vector<PrinterJob> jobs() const;

    /// Waits until `count` control messages have arrived; false after `timeout`.
    bool waitForControlMessages(std::size_t count, std::chrono::milliseconds timeout);
    std::vector<ControlMessage> controlMessages() const;

    /// Sends a datagram from port 47545 to the sender of the last datagram received.
    bool sendDatagram(std::span<const std::uint8_t> bytes);
    /// The sender of the last datagram received.
    std::optional<sockaddr_in> lastDatagramPeer() const;

    /// Waits until the printer holds no accepted connection; false after `timeout`.
    bool waitForIdle(std::chrono::milliseconds timeout);

  private:
    bool bindAll(int host);
    void closeListeners();
    void serveLpr();
    void serveRaw();
    void serveControlDatagrams();
    void answerDatagram(int socket, std::vector<std::uint8_t>& buffer);
    void serveControlStream();
    void addJob(PrinterJob job);
    ControlReply respond(ControlMessage message);
    template <class Serve>
    void acceptLoop(int listener, Serve serve);

    TestPrinterOptions options_;
    std::string error_;
    int host_ = 0;
    int lprListener_ = -1;
    int rawListener_ = -1;
    int datagramSocket_ = -1;
    int streamListener_ = -1;
    std::vector<int> broadcastSockets_;
    int wakeRead_ = -1;  // readable once the printer stops
    int wakeWrite_ = -1;
    std::vector<std::thread> threads_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<PrinterJob> jobs_;
    std::vector<ControlMessage> controlMessages_;
    std::optional<sockaddr_in> lastDatagramPeer_;
    std::size_t openConnections_ = 0;
};

}  // namespace testsupport
