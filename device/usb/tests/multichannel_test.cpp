// IEEE 1284.4 channels on the emulated printer: the packets on the wire, credit in both
// directions, and replies that cannot be used.
#include <numeric>

#include "usb_printer_fixture.h"

namespace {

using namespace usbtest;
using usb_test::makePacket;

constexpr std::int32_t kLimit = 300;

Bytes pattern(std::size_t size) {
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i) {
        data[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    }
    return data;
}

Bytes head(const Bytes& packet) {
    return Bytes(packet.begin(), packet.begin() + std::min<std::size_t>(packet.size(), 6));
}

class JobChannel : public UsbPrinterTest {
  protected:
    void SetUp() override { attach({}, {.initialCredit = 1, .creditGrant = 2}); }
};

TEST_F(JobChannel, PacketsOfAJobAreByteExactAndSpendCredit) {
    Handle channel;
    ASSERT_EQ(caioUSBlibOpen(channel.handle, kCaioModeJobData, -1, 0, nullptr, nullptr, kLimit),
              kCaioNoErr);
    const Bytes data = pattern(100000);
    std::uint64_t count = data.size();
    ASSERT_EQ(caioUSBlibWrite(channel.handle, 0, data.data(), &count, kLimit), kCaioNoErr);
    EXPECT_EQ(count, data.size());
    EXPECT_EQ(caioUSBlibClose(channel.handle, 0), kCaioNoErr);

    const std::vector<Bytes> packets = hostPackets();
    ASSERT_EQ(packets.size(), 7u);
    EXPECT_EQ(packets[0], (Bytes{0, 0, 0, 8, 1, 0, 0x00, 0x01}));  // Init
    EXPECT_EQ(packets[1], (Bytes{0, 0, 0, 17, 1, 0, 0x01, 0x10, 0x10, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF,
                                 0xFF}));  // OpenChannel
    // 65529 payload bytes on the one credit, a CreditRequest, then the other 34471.
    EXPECT_EQ(head(packets[2]), (Bytes{0x10, 0x10, 0xFF, 0xFF, 0, 0}));
    EXPECT_EQ(packets[3], (Bytes{0, 0, 0, 13, 1, 0, 0x04, 0x10, 0x10, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(head(packets[4]), (Bytes{0x10, 0x10, 0x86, 0xAD, 0, 0}));
    EXPECT_EQ(packets[5], (Bytes{0, 0, 0, 9, 1, 0, 0x02, 0x10, 0x10}));  // CloseChannel
    EXPECT_EQ(packets[6], (Bytes{0, 0, 0, 7, 1, 0, 0x08}));              // Exit
    EXPECT_EQ(received(0x10), data);
    EXPECT_FALSE(bed.claimed(*printer));  // the last close ended the device connection
}

TEST_F(JobChannel, AThreeMebibyteJobArrivesWhole) {
    Handle channel;
    ASSERT_EQ(caioUSBlibOpen(channel.handle, kCaioModeJobData, -1, 0, nullptr, nullptr, 500),
              kCaioNoErr);
    const Bytes data = pattern(3 << 20);
    constexpr std::size_t kBlock = 200000;
    for (std::size_t at = 0; at < data.size(); at += kBlock) {
        std::uint64_t count = std::min(kBlock, data.size() - at);
        const std::uint64_t offered = count;
        ASSERT_EQ(caioUSBlibWrite(channel.handle, 0, data.data() + at, &count, 500), kCaioNoErr);
        ASSERT_EQ(count, offered);
    }
    caioUSBlibClose(channel.handle, 0);
    EXPECT_TRUE(received(0x10) == data);
}

TEST_F(UsbPrinterTest, ReadsGrantCreditAndKeepWhatTheCallerDidNotAskFor) {
    Handle channel;
    ASSERT_EQ(
        caioUSBlibOpen(channel.handle, kCaioModeControlDatagram, 0, 0, nullptr, nullptr, kLimit),
        kCaioNoErr);
    const Bytes data = pattern(30);
    printer->withPeer([&](usb_test::Ieee1284_4Peer& peer) {
        peer.queueData(0x20, data);
        // A Credit command of the printer arrives while the host waits for its reply.
        const Bytes command{0x03, 0x20, 0x20, 0x00, 0x05};
        peer.sendBeforeNextPacket(makePacket(0, 0, 1, command));
        return 0;
    });
    Bytes got(20);
    std::uint64_t count = got.size();
    ASSERT_EQ(caioUSBlibRead(channel.handle, 1, got.data(), &count, kLimit), kCaioNoErr);
    EXPECT_EQ(count, 20u);
    EXPECT_EQ(got, Bytes(data.begin(), data.begin() + 20));
    const std::vector<Bytes> packets = hostPackets();
    ASSERT_EQ(packets.size(), 4u);
    EXPECT_EQ(packets[2], (Bytes{0, 0, 0, 11, 1, 0, 0x03, 0x20, 0x20, 0x00, 0x10}));  // Credit
    EXPECT_EQ(packets[3], (Bytes{0, 0, 0, 10, 1, 0, 0x83, 0, 0x20, 0x20}));           // its answer
    // The 4 credits of the open and the 5 of the printer's command.
    EXPECT_EQ(channel.context().channels[0x20]->sendCredit, 9);

    // The rest comes from what is held, without a transfer.
    const std::size_t printerSent = printerPackets().size();
    count = 10;
    ASSERT_EQ(caioUSBlibRead(channel.handle, 1, got.data(), &count, kLimit), kCaioNoErr);
    EXPECT_EQ(count, 10u);
    EXPECT_EQ(Bytes(got.begin(), got.begin() + 10), Bytes(data.begin() + 20, data.end()));
    EXPECT_EQ(hostPackets().size(), 4u);
    EXPECT_EQ(printerPackets().size(), printerSent);
}

TEST_F(UsbPrinterTest, WritesOnTheStreamChannelGrantTheReceiveCreditModulo256) {
    Handle channel;
    ASSERT_EQ(
        caioUSBlibOpen(channel.handle, kCaioModeControlStream, 0, 0, nullptr, nullptr, kLimit),
        kCaioNoErr);
    for (int i = 0; i < 2; ++i) {
        std::uint64_t count = 4;
        ASSERT_EQ(caioUSBlibWrite(channel.handle, 2, "\0\0\0\0", &count, kLimit), kCaioNoErr);
    }
    const std::vector<Bytes> packets = hostPackets();
    ASSERT_EQ(packets.size(), 4u);
    EXPECT_EQ(head(packets[2]), (Bytes{0x30, 0x30, 0, 10, 244, 0}));
    EXPECT_EQ(head(packets[3]), (Bytes{0x30, 0x30, 0, 10, 0, 0}));  // (500 - 244) mod 256
    EXPECT_EQ(channel.context().channels[0x30]->receiveCreditOutstanding, 244);
}

// Replies that the host refuses: each fails the open, and as the only channel it also ends the
// device connection.
TEST_F(UsbPrinterTest, UnusableRepliesFailTheOpenAndEndTheConnection) {
    const auto openReply = [](std::uint16_t hostToPrinter) {
        return makePacket(0, 0, 1,
                          Bytes{0x81, 0, 0x10, 0x10, static_cast<std::uint8_t>(hostToPrinter >> 8),
                                static_cast<std::uint8_t>(hostToPrinter), 0, 0, 0, 4});
    };
    const struct {
        const char* what;
        std::uint8_t command;
        Bytes reply;
        std::int32_t status;
        bool closesChannel;
    } cases[] = {
        {"open refused", 0x01, makePacket(0, 0, 1, Bytes{0x81, 3}), caioStatusFromCode(107), false},
        {"init refused", 0x00, makePacket(0, 0, 1, Bytes{0x80, 4}), caioStatusFromCode(107), false},
        {"init failed", 0x00, makePacket(0, 0, 1, Bytes{0x80, 1}), kCaioFailure, false},
        {"open reply cut short", 0x01, makePacket(0, 0, 1, Bytes{0x81, 0, 0x10, 0x10, 0xFF, 0xFF}),
         kCaioFailure, false},
        {"other sockets", 0x01,
         makePacket(0, 0, 1, Bytes{0x81, 0, 0x20, 0x20, 0xFF, 0xFF, 0, 0, 0, 4}), kCaioFailure,
         false},
        {"packets too small for data", 0x01, openReply(6), kCaioFailure, true},
        {"length below the head", 0x01, Bytes{0, 0, 0, 3, 1, 0}, kCaioFailure, false},
        {"length beyond the buffer", 0x01, Bytes{0, 0, 0, 40, 1, 0}, kCaioFailure, false},
        {"error command", 0x01, makePacket(0, 0, 1, Bytes{0x7F, 0}), kCaioFailure, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t before = hostPackets().size();
        printer->withPeer([&](usb_test::Ieee1284_4Peer& peer) {
            peer.transactionFilter = [&](std::span<const std::uint8_t> command,
                                         const Bytes&) -> std::optional<Bytes> {
                if (command[0] == c.command) {
                    return c.reply;
                }
                return std::nullopt;
            };
            return 0;
        });
        Handle channel;
        const auto start = Clock::now();
        EXPECT_EQ(caioUSBlibOpen(channel.handle, kCaioModeJobData, -1, 0, nullptr, nullptr, 100),
                  c.status);
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
        EXPECT_FALSE(bed.claimed(*printer));
        EXPECT_EQ(channel.context().openChannelCount, 0);
        const std::vector<Bytes> packets = hostPackets();
        const bool sentClose =
            std::any_of(packets.begin() + static_cast<long>(before), packets.end(),
                        [](const Bytes& p) { return p.size() > 6 && p[6] == 0x02; });
        EXPECT_EQ(sentClose, c.closesChannel);
        // Whatever the printer garbled, a next open starts over with Init.
        printer->withPeer([](usb_test::Ieee1284_4Peer& peer) {
            peer.transactionFilter = nullptr;
            peer.take(1 << 20);  // what the host did not read
            return 0;
        });
    }
    Handle channel;
    EXPECT_EQ(caioUSBlibOpen(channel.handle, kCaioModeJobData, -1, 0, nullptr, nullptr, 100),
              kCaioNoErr);
}

TEST_F(UsbPrinterTest, ChannelsShareTheConnectionAndTheLastCloseSendsExit) {
    Handle job;
    Handle control;
    ASSERT_EQ(caioUSBlibOpen(job.handle, kCaioModeJobData, -1, 0, nullptr, nullptr, kLimit),
              kCaioNoErr);
    ASSERT_EQ(&job.context(), &control.context());
    ASSERT_EQ(
        caioUSBlibOpen(control.handle, kCaioModeControlStream, 0, 0, nullptr, nullptr, kLimit),
        kCaioNoErr);
    EXPECT_EQ(job.context().openChannelCount, 3);
    // A socket that is open already cannot be opened twice.
    Handle again;
    EXPECT_EQ(caioUSBlibOpen(again.handle, kCaioModeJobData, -1, 0, nullptr, nullptr, kLimit),
              kCaioFailure);
    caioUSBlibClose(job.handle, 0);
    EXPECT_TRUE(bed.claimed(*printer));
    caioUSBlibClose(control.handle, 2);
    EXPECT_FALSE(bed.claimed(*printer));
    const std::vector<Bytes> packets = hostPackets();
    ASSERT_GE(packets.size(), 2u);
    EXPECT_EQ(packets[packets.size() - 2], (Bytes{0, 0, 0, 9, 1, 0, 0x02, 0x30, 0x30}));
    EXPECT_EQ(packets.back(), (Bytes{0, 0, 0, 7, 1, 0, 0x08}));

    // Opening again starts with Init.
    ASSERT_EQ(caioUSBlibOpen(job.handle, kCaioModeJobData, -1, 0, nullptr, nullptr, kLimit),
              kCaioNoErr);
    EXPECT_EQ(hostPackets()[packets.size()], (Bytes{0, 0, 0, 8, 1, 0, 0x00, 0x01}));
}

}  // namespace
