// The emulated USB printer as libusb sees it through the platform layer.
#include <gtest/gtest.h>

#include "umockdev_usb_bed.h"
#include "usb/usb.h"

namespace {

using namespace usb_test;
using namespace std::chrono_literals;

TEST(EmulatedUsbPrinter, IsListedAndAnswersControlAndBulkTransfers) {
    UmockdevUsbBed bed;
    UsbPrinterModel& printer = bed.addPrinter();
    std::vector<usb::InterfaceInfo> interfaces;
    ASSERT_EQ(usb::listInterfaces(interfaces), usb::Status::ok);
    ASSERT_EQ(interfaces.size(), 1u);
    const usb::InterfaceInfo& found = interfaces[0];
    EXPECT_EQ(found.interfaceClass, usb::kClassPrinter);
    EXPECT_EQ(found.interfaceSubclass, usb::kSubclassPrinter);
    EXPECT_EQ(found.configurationValue, 1);
    ASSERT_EQ(found.endpoints.size(), 2u);

    std::unique_ptr<usb::DeviceHandle> handle;
    ASSERT_EQ(usb::DeviceHandle::open(found, handle), usb::Status::ok);
    std::vector<std::uint8_t> id(1024);
    std::size_t got = 0;
    ASSERT_EQ(handle->control(0xA1, 0, 0, 0, id, 5000ms, got), usb::Status::ok);
    ASSERT_GT(got, 2u);
    EXPECT_EQ(std::string(id.begin() + 2, id.begin() + static_cast<long>(got)),
              printer.identity().deviceId);

    ASSERT_EQ(handle->claim(), usb::Status::ok);
    EXPECT_TRUE(bed.claimed(printer));
    std::vector<std::uint8_t> init{0, 0, 0, 8, 1, 0, 0, 1};
    ASSERT_EQ(handle->bulk(kPrinterOutEndpoint, init.data(), init.size(), 1000ms, got),
              usb::Status::ok);
    EXPECT_EQ(got, init.size());
    std::vector<std::uint8_t> reply(10240);
    ASSERT_EQ(handle->bulk(kPrinterInEndpoint, reply.data(), reply.size(), 1000ms, got),
              usb::Status::ok);
    reply.resize(got);
    EXPECT_EQ(reply, (Bytes{0, 0, 0, 9, 1, 0, 0x80, 0, 1}));

    // Nothing more to read: the transfer times out.
    reply.resize(64);
    EXPECT_EQ(handle->bulk(kPrinterInEndpoint, reply.data(), reply.size(), 100ms, got),
              usb::Status::timeout);
    printer.setReading(false);
    EXPECT_EQ(handle->bulk(kPrinterOutEndpoint, init.data(), init.size(), 100ms, got),
              usb::Status::timeout);
}

}  // namespace
