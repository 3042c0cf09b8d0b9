// USB printers through the library interface, on an emulated printer that libusb reaches through
// umockdev: jobs and administration over IEEE 1284.4 channels, and processes forked from the test
// sharing the printer through the registry and the operation queue.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <functional>
#include <thread>

#include "interface/lib_printer_status.h"
#include "interface/tests/interface_fixture.h"
#include "qdxa_responder.h"
#include "umockdev_usb_bed.h"

namespace {

using namespace interfacetest;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

constexpr const char* kURI = "usb://Orvane/Stratoline X9?serial=00A1";
constexpr std::uint8_t kJobSocket = 0x10;
constexpr std::size_t kBlock = 65536;

/// A one-way signal between processes.
class Signal {
  public:
    Signal() { EXPECT_EQ(::pipe(fds_), 0); }
    ~Signal() {
        ::close(fds_[0]);
        ::close(fds_[1]);
    }
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;
    void post() const { (void)!::write(fds_[1], "!", 1); }
    bool wait(std::chrono::milliseconds limit) const {
        pollfd ready{fds_[0], POLLIN, 0};
        char byte = 0;
        return ::poll(&ready, 1, static_cast<int>(limit.count())) == 1 &&
               ::read(fds_[0], &byte, 1) == 1;
    }

  private:
    int fds_[2] = {-1, -1};
};

/// Runs `body` in a forked process, which ends with its result as exit status.
pid_t fork(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::_Exit(body());
    }
    return pid;
}

/// The exit status of a child; -1 when it did not end within `limit` (it is killed then).
int exitStatus(pid_t pid, std::chrono::seconds limit) {
    const auto deadline = Clock::now() + limit;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(10ms);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Bytes jobData(std::size_t size, std::uint8_t tag) {
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i) {
        data[i] = static_cast<std::uint8_t>(tag + i * 13 + i / 509);
    }
    return data;
}

class EmulatedUsbPrinter : public InterfaceTest {
  protected:
    void SetUp() override {
        printer_ = &bed_.addPrinter();
        printer_->withPeer([this](usb_test::Ieee1284_4Peer& peer) {
            for (std::uint8_t socket : {0x20, 0x30}) {
                peer.setService(socket, usb_test::qdxaService([this](const Bytes& request) {
                                    return responder_.answer(request);
                                }));
            }
            return 0;
        });
    }

    Bytes received() const {
        return printer_->withPeer(
            [](usb_test::Ieee1284_4Peer& peer) { return peer.received[kJobSocket]; });
    }

    static std::unique_ptr<Address> address() {
        return std::make_unique<Address>(
            CLibPrinterAddress::initWithConnectionType(0, "Stratoline X9", kURI).leak());
    }

    /// Opens a job, retrying while the printer is busy with another process's.
    static std::uint32_t openJob(void** job, void* address, std::chrono::seconds limit) {
        const auto deadline = Clock::now() + limit;
        std::uint32_t status = kIOS_ErrBusy;
        while (status == kIOS_ErrBusy && Clock::now() < deadline) {
            status = IOS_JobOpen(job, address, nullptr, nullptr);
            if (status == kIOS_ErrBusy) {
                std::this_thread::sleep_for(20ms);
            }
        }
        return status;
    }

    static std::uint32_t send(void* job, const Bytes& data) {
        for (std::size_t at = 0; at < data.size(); at += kBlock) {
            auto length = static_cast<std::uint32_t>(std::min(kBlock, data.size() - at));
            const std::uint32_t offered = length;
            const std::uint32_t status = IOS_JobSend(job, data.data() + at, &length, 0, nullptr);
            if (status != kIOS_NoErr || length != offered) {
                return status != kIOS_NoErr ? status : 1;
            }
        }
        return kIOS_NoErr;
    }

    /// Prints `data` as one job: 0, or the step that failed.
    static int print(const Bytes& data, std::chrono::seconds limit = 60s) {
        auto printer = address();
        void* job = nullptr;
        if (openJob(&job, printer->get(), limit) != kIOS_NoErr) {
            return 10;
        }
        if (send(job, data) != kIOS_NoErr) {
            return 11;
        }
        return IOS_JobClose(job, 0, nullptr) == kIOS_NoErr ? 0 : 12;
    }

    /// Asks the printer whether it is online through an administration context: 0 when it
    /// answers that it is, or the step that failed.
    static int askOnline() {
        auto printer = address();
        void* admin = nullptr;
        if (IOS_AdminOpen(&admin, printer->get()) != kIOS_NoErr) {
            return 20;
        }
        Ticket request;
        Ticket response;
        IOS_TicketSetAttribute(request.get(), kPrinterOnlineKey, 4);
        const std::uint32_t status = IOS_AdminGetInfo(admin, request.get(), response.get());
        std::uint8_t online = 0;
        IOS_TicketGetBoolean(response.get(), kPrinterOnlineKey, &online);
        const bool closed = IOS_AdminClose(admin) == kIOS_NoErr;
        return status != kIOS_NoErr ? 21 : online != 1 ? 22 : closed ? 0 : 23;
    }

    qdxa_test::Responder responder_;
    usb_test::UmockdevUsbBed bed_;
    usb_test::UsbPrinterModel* printer_ = nullptr;
};

TEST_F(EmulatedUsbPrinter, PrintsAndAnswersAdministrationOverItsChannels) {
    EXPECT_EQ(askOnline(), 0);
    EXPECT_FALSE(responder_.requests.empty());
    EXPECT_FALSE(bed_.claimed(*printer_));  // the last close ended the connection

    auto printer = address();
    void* job = nullptr;
    ASSERT_EQ(IOS_JobOpen(&job, printer->get(), nullptr, nullptr), kIOS_NoErr);
    EXPECT_EQ(IOS_GetConnectionCount("USB"), 1u);
    const Bytes data = jobData(1 << 20, 1);
    EXPECT_EQ(send(job, data), kIOS_NoErr);
    EXPECT_EQ(IOS_JobClose(job, 0, nullptr), kIOS_NoErr);
    EXPECT_TRUE(received() == data);
    EXPECT_FALSE(bed_.claimed(*printer_));
    EXPECT_FALSE(registryExists());
}

TEST_F(EmulatedUsbPrinter, APrinterThatStopsReadingFailsTheSendAndTheJobCanStillBeCancelled) {
    auto printer = address();
    void* job = nullptr;
    ASSERT_EQ(IOS_JobOpen(&job, printer->get(), nullptr, nullptr), kIOS_NoErr);
    printer_->setReading(false);
    const Bytes data = jobData(kBlock, 2);
    auto length = static_cast<std::uint32_t>(data.size());
    const auto start = Clock::now();
    EXPECT_EQ(IOS_JobSend(job, data.data(), &length, 0, nullptr), 4156u);
    EXPECT_LT(Clock::now() - start, 8s);  // the job data's limit is 5 s
    EXPECT_EQ(length, 0u);
    ASSERT_EQ(IOS_JobCancel(&job), kIOS_NoErr);
    EXPECT_EQ(IOS_JobSend(job, data.data(), &length, 0, nullptr), kIOS_ErrJobAborted);
    const auto closing = Clock::now();
    IOS_JobClose(job, 0, nullptr);
    EXPECT_LT(Clock::now() - closing, 40s);
    EXPECT_EQ(LibProcessState().openCount, 0u);
    EXPECT_FALSE(bed_.claimed(*printer_));

    printer_->setReading(true);
    printer_->withPeer([](usb_test::Ieee1284_4Peer& peer) { return peer.take(1 << 20); });
    EXPECT_EQ(print(jobData(1000, 3)), 0);
}

TEST_F(EmulatedUsbPrinter, TwoProcessesPrintInTurn) {
    const Bytes first = jobData(300000, 10);
    const Bytes second = jobData(200000, 20);
    const pid_t a = fork([&] { return print(first); });
    const pid_t b = fork([&] { return print(second); });
    EXPECT_EQ(exitStatus(a, 120s), 0);
    EXPECT_EQ(exitStatus(b, 120s), 0);
    Bytes inOrder = first;
    inOrder.insert(inOrder.end(), second.begin(), second.end());
    Bytes otherOrder = second;
    otherOrder.insert(otherOrder.end(), first.begin(), first.end());
    const Bytes got = received();
    EXPECT_TRUE(got == inOrder || got == otherOrder) << got.size() << " bytes";
    EXPECT_FALSE(bed_.claimed(*printer_));
}

TEST_F(EmulatedUsbPrinter, AThirdProcessIsAnsweredThroughTheQueueWhileAJobRuns) {
    Signal jobOpen;
    Signal answered;
    const pid_t printing = fork([&] {
        auto printer = address();
        void* job = nullptr;
        if (openJob(&job, printer->get(), 30s) != kIOS_NoErr) {
            return 10;
        }
        jobOpen.post();
        const Bytes block = jobData(kBlock, 4);
        // Sends until the other process has had its answer (bounded).
        const auto deadline = Clock::now() + 90s;
        bool done = false;
        while (!done && Clock::now() < deadline) {
            if (send(job, block) != kIOS_NoErr) {
                return 11;
            }
            done = answered.wait(5ms);
        }
        return IOS_JobClose(job, 0, nullptr) == kIOS_NoErr && done ? 0 : 12;
    });
    const pid_t asking = fork([&] {
        if (!jobOpen.wait(60s)) {
            return 30;
        }
        const int result = askOnline();
        answered.post();
        return result;
    });
    EXPECT_EQ(exitStatus(asking, 120s), 0);
    EXPECT_EQ(exitStatus(printing, 120s), 0);
    EXPECT_FALSE(bed_.claimed(*printer_));
}

TEST_F(EmulatedUsbPrinter, AQueueOwnerKilledMidJobIsTakenOverAndNothingStaysLocked) {
    Signal sent;
    const pid_t killed = fork([&] {
        auto printer = address();
        void* job = nullptr;
        if (openJob(&job, printer->get(), 30s) != kIOS_NoErr || send(job, jobData(kBlock, 5))) {
            return 10;
        }
        sent.post();
        std::this_thread::sleep_for(120s);
        return 11;
    });
    ASSERT_TRUE(sent.wait(60s));
    ::kill(killed, SIGKILL);
    EXPECT_EQ(exitStatus(killed, 10s), -1);

    const Bytes data = jobData(100000, 6);
    const auto start = Clock::now();
    const pid_t next = fork([&] {
        const int online = askOnline();
        return online != 0 ? online : print(data);
    });
    EXPECT_EQ(exitStatus(next, 150s), 0);
    EXPECT_LT(Clock::now() - start, 90s);
    const Bytes got = received();
    ASSERT_GE(got.size(), data.size());
    EXPECT_TRUE(Bytes(got.end() - static_cast<long>(data.size()), got.end()) == data);

    // Every lock is free again: yet another process opens, prints and closes at once.
    const auto again = Clock::now();
    EXPECT_EQ(exitStatus(fork([&] { return print(jobData(1000, 7), 5s); }), 60s), 0);
    EXPECT_LT(Clock::now() - again, 20s);
}

using NoUsbPrinter = InterfaceTest;

TEST_F(NoUsbPrinter, OpensFailWithTheTransportsCodeAndLeaveNothingBehind) {
    usb_test::UmockdevUsbBed bed;
    auto made = CLibPrinterAddress::initWithConnectionType(0, "Stratoline X9", kURI);
    Address printer(made.leak());
    void* context = nullptr;
    EXPECT_EQ(IOS_JobOpen(&context, printer.get(), nullptr, nullptr), 4150u);
    EXPECT_EQ(IOS_AdminOpen(&context, printer.get()), 4150u);
    EXPECT_EQ(context, nullptr);
    EXPECT_FALSE(registryExists());
}

}  // namespace
