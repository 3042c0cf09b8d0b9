// The USB transport's handles and device connection on emulated printers: shared contexts,
// finding the printer a search key names, a busy interface, a printer that stops reading.
#include <string>

#include "usb/usb.h"
#include "usb_printer_fixture.h"

namespace {

using namespace usbtest;
using namespace std::chrono_literals;

TEST(UsbHandles, KeysThatDecodeAlikeShareOneContextAndTheCacheHoldsSixteen) {
    void* escaped = caioUSBlibCreate("Orvane/Stratoline%20X9?serial=00A1");
    void* plain = caioUSBlibCreate("Orvane/Stratoline X9?serial=00A1");
    ASSERT_NE(escaped, nullptr);
    ASSERT_NE(plain, nullptr);
    CaioUSBContext* shared = static_cast<CaioUSBHandle*>(escaped)->context;
    EXPECT_EQ(static_cast<CaioUSBHandle*>(plain)->context, shared);
    EXPECT_EQ(shared->referenceCount, 2u);
    caioUSBlibDestroy(escaped);
    EXPECT_EQ(shared->referenceCount, 1u);

    std::vector<void*> others;
    for (int i = 0; i < 15; ++i) {
        others.push_back(caioUSBlibCreate(("Orvane/X?serial=" + std::to_string(i)).c_str()));
        ASSERT_NE(others.back(), nullptr);
    }
    EXPECT_EQ(caioUSBlibCreate("Orvane/X?serial=seventeen"), nullptr);
    caioUSBlibDestroy(plain);  // frees a slot
    void* now = caioUSBlibCreate("Orvane/X?serial=seventeen");
    EXPECT_NE(now, nullptr);
    caioUSBlibDestroy(now);
    for (void* handle : others) {
        caioUSBlibDestroy(handle);
    }
    EXPECT_EQ(caioUSBlibCreate(nullptr), nullptr);
    EXPECT_EQ(caioUSBlibOpen(nullptr, 0, 0, 0, nullptr, nullptr, 100), kCaioFailure);
    EXPECT_EQ(caioUSBlibClose(nullptr, 0), kCaioFailure);
}

class TwoPrinters : public UsbPrinterTest {
  protected:
    void SetUp() override {
        // The first printer's id names neither model nor serial number: both come from its
        // string descriptors.
        attach({.product = "Stratoline X9",
                .serialNumber = "S-A",
                .deviceId = "MFG:Orvane;CMD:QDXA;"});
        attach({.productId = 0x5107, .deviceId = "MFG:Orvane;MDL:Stratoline X9;SERN:00B2;"});
    }

    // The device id of the printer the key opens, or the open's status.
    std::string open(const char* key) {
        Handle channel(key);
        const std::int32_t status =
            caioUSBlibOpen(channel.handle, kCaioModeJobData, -1, 0, nullptr, nullptr, 200);
        if (status != kCaioNoErr) {
            return "status " + std::to_string(status);
        }
        std::string id = channel.context().deviceId;
        caioUSBlibClose(channel.handle, 0);
        return id;
    }
};

TEST_F(TwoPrinters, TheSearchKeyChoosesThePrinter) {
    const std::string first = "MFG:Orvane;CMD:QDXA;MDL:Stratoline X9;SERN:S-A;";
    const std::string second = "MFG:Orvane;MDL:Stratoline X9;SERN:00B2;";
    const struct {
        const char* key;
        std::string id;
    } cases[] = {
        {"Orvane/Stratoline%20X9?serial=S-A", first},
        {"Orvane/Stratoline%20X9?serial=00B2", second},
        {"Orvane/Stratoline%20X9?serial=00C3", "status 4150"},
        {"Orvane/Stratoline%20X8?serial=00B2", "status 4150"},
        {"Other/Stratoline%20X9?serial=00B2", "status 4150"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(open(c.key), c.id) << c.key;
    }
    // Any serial number, or a location: the first of the two that the system lists, whichever
    // that is.
    const std::string any = open("Orvane/Stratoline%20X9?serial=0");
    EXPECT_TRUE(any == first || any == second) << any;
    EXPECT_EQ(open("Orvane/Stratoline%20X9?serial="), any);
    EXPECT_EQ(open("Orvane/Stratoline%20X9?location=14200000"), any);
}

TEST_F(UsbPrinterTest, AnInterfaceHeldElsewhereIsRetriedUntilTheLimit) {
    std::vector<usb::InterfaceInfo> interfaces;
    ASSERT_EQ(usb::listInterfaces(interfaces), usb::Status::ok);
    ASSERT_EQ(interfaces.size(), 1u);
    std::unique_ptr<usb::DeviceHandle> other;
    ASSERT_EQ(usb::DeviceHandle::open(interfaces[0], other), usb::Status::ok);
    ASSERT_EQ(other->claim(), usb::Status::ok);

    Handle channel;
    const auto start = Clock::now();
    EXPECT_EQ(caioUSBlibOpen(channel.handle, kCaioModeJobData, -1, 0, nullptr, nullptr, 150),
              caioStatusFromCode(kCaioCodeNotReady));
    const auto took = Clock::now() - start;
    EXPECT_GE(took, 1400ms);
    EXPECT_LT(took, 4s);
    EXPECT_TRUE(hostPackets().empty());

    other.reset();  // released: the next open gets it
    EXPECT_EQ(caioUSBlibOpen(channel.handle, kCaioModeJobData, -1, 0, nullptr, nullptr, 150),
              kCaioNoErr);
}

TEST_F(UsbPrinterTest, APrinterThatStopsReadingTimesOutWithinTheLimitAndCanBeClosed) {
    Handle channel;
    ASSERT_EQ(caioUSBlibOpen(channel.handle, kCaioModeJobData, -1, 0, nullptr, nullptr, 100),
              kCaioNoErr);
    printer->setReading(false);
    const Bytes data(1000, 0x55);
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::uint64_t count = data.size();
        const auto start = Clock::now();
        EXPECT_EQ(caioUSBlibWrite(channel.handle, 0, data.data(), &count, 100),
                  caioStatusFromCode(kCaioCodeTimedOut));
        EXPECT_EQ(count, 0u);
        EXPECT_LT(Clock::now() - start, 1500ms);
    }
    const auto start = Clock::now();
    EXPECT_EQ(caioUSBlibClose(channel.handle, 0), kCaioNoErr);
    EXPECT_LT(Clock::now() - start, 5s);
    EXPECT_FALSE(bed.claimed(*printer));

    // The printer reads again: a new connection works.
    printer->setReading(true);
    printer->withPeer([](usb_test::Ieee1284_4Peer& peer) { return peer.take(1 << 20); });
    ASSERT_EQ(caioUSBlibOpen(channel.handle, kCaioModeJobData, -1, 0, nullptr, nullptr, 100),
              kCaioNoErr);
    std::uint64_t count = data.size();
    EXPECT_EQ(caioUSBlibWrite(channel.handle, 0, data.data(), &count, 100), kCaioNoErr);
    EXPECT_EQ(count, data.size());
}

TEST_F(UsbPrinterTest, AWriteAfterOneThatGaveUpIsSentAsItsOwnTransfer) {
    Handle channel;
    ASSERT_EQ(caioUSBlibOpen(channel.handle, kCaioModeJobData, -1, 0, nullptr, nullptr, 100),
              kCaioNoErr);
    const Bytes first(100, 0x11);
    const Bytes second(50, 0x22);
    printer->setReading(false);
    std::uint64_t count = first.size();
    EXPECT_EQ(caioUSBlibWrite(channel.handle, 0, first.data(), &count, 20),
              caioStatusFromCode(kCaioCodeTimedOut));
    printer->setReading(true);
    count = second.size();
    ASSERT_EQ(caioUSBlibWrite(channel.handle, 0, second.data(), &count, 300), kCaioNoErr);
    EXPECT_EQ(count, second.size());
    Bytes both = first;
    both.insert(both.end(), second.begin(), second.end());
    EXPECT_EQ(received(0x10), both);
}

TEST(UsbTransportCodes, EachFailureHasItsStatus) {
    // No printer attached at all.
    usb_test::UmockdevUsbBed bed;
    Handle channel;
    EXPECT_EQ(caioUSBlibOpen(channel.handle, kCaioModeJobData, -1, 0, nullptr, nullptr, 100), 4150);
    // Open modes without a socket, and sockets outside the channel table.
    EXPECT_EQ(caioUSBlibOpen(channel.handle, 3, 0, 0, nullptr, nullptr, 100), kCaioFailure);
    EXPECT_EQ(caioUSBlibOpen(channel.handle, kCaioModeJobData, 256, 1, nullptr, nullptr, 100),
              kCaioFailure);
    EXPECT_EQ(caioUSBlibOpen(channel.handle, kCaioModeJobData, 0, 1, nullptr, nullptr, 100),
              kCaioFailure);
    // Nothing open: reads, writes and closes of the handle's channel.
    std::uint64_t count = 1;
    std::uint8_t byte = 0;
    EXPECT_EQ(caioUSBlibWrite(channel.handle, 0, &byte, &count, 100), kCaioFailure);
    EXPECT_EQ(caioUSBlibRead(channel.handle, 0, &byte, &count, 100), kCaioFailure);
    EXPECT_EQ(caioUSBlibClose(channel.handle, 0), kCaioNoErr);
    // The codes of the USB transport and its channels as the dispatch reports them (4112 busy,
    // 4156 time-out and 4203 refusal are shown by the tests above).
    EXPECT_EQ(caioStatusFromCode(kCaioCodeNotReady), 4112);
    EXPECT_EQ(caioStatusFromCode(kCaioCodeTimedOut), 4156);
    EXPECT_EQ(caioStatusFromCode(kCaioCodeNotConnected), 4203);
}

}  // namespace
