// USB printers that libusb finds and talks to, emulated with umockdev: each printer is a device
// in the test bed's sysfs with its descriptors, and its device node answers the usbdevfs requests
// that libusb makes (capabilities, claiming and releasing the interface, control and bulk URBs,
// reaping and discarding them) from a UsbPrinterModel.
//
// The bed must live in the process that runs the test; processes forked from it reach the same
// printers, whose ioctls the bed's umockdev thread serves. The test program must run with the
// umockdev preload library: linking this library makes the program start itself again with it
// when it was started without.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "usb_printer_model.h"

namespace usb_test {

class UmockdevUsbBed {
  public:
    UmockdevUsbBed();
    ~UmockdevUsbBed();
    UmockdevUsbBed(const UmockdevUsbBed&) = delete;
    UmockdevUsbBed& operator=(const UmockdevUsbBed&) = delete;

    /// Attaches a printer on bus 1; the model lives as long as the bed.
    UsbPrinterModel& addPrinter(UsbPrinterIdentity identity = {},
                                Ieee1284_4Peer::Settings settings = {});

    /// Whether a client (an open device node, in any process) holds the printer's interface.
    bool claimed(const UsbPrinterModel& printer) const;

  private:
    struct Device;
    struct Native;
    std::unique_ptr<Native> native_;
    std::vector<std::unique_ptr<Device>> devices_;
};

}  // namespace usb_test
