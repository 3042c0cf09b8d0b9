// A test with the emulated USB printer attached: its control channels answer QDXA requests
// from a scripted printer model, and the tests reach it through the USB transport.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

#include "qdxa_responder.h"
#include "transport/caio.h"
#include "umockdev_usb_bed.h"
#include "usb/usb_context.h"

namespace usbtest {

using usb_test::Bytes;
using Clock = std::chrono::steady_clock;

/// The search key of the default emulated printer, as a device URI carries it.
inline constexpr const char* kSearchKey = "Orvane/Stratoline%20X9?serial=00A1";

/// A transport handle, destroyed with the object.
struct Handle {
    explicit Handle(const char* key = kSearchKey) : handle(caioUSBlibCreate(key)) {}
    ~Handle() { caioUSBlibDestroy(handle); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    CaioUSBContext& context() const { return *static_cast<CaioUSBHandle*>(handle)->context; }
    void* handle;
};

class UsbPrinterTest : public ::testing::Test {
  protected:
    void SetUp() override { attach(); }

    /// Attaches a printer; the first attached is `printer`.
    usb_test::UsbPrinterModel& attach(usb_test::UsbPrinterIdentity identity = {},
                                      usb_test::Ieee1284_4Peer::Settings settings = {}) {
        usb_test::UsbPrinterModel& added = bed.addPrinter(std::move(identity), settings);
        added.withPeer([this](usb_test::Ieee1284_4Peer& peer) {
            for (std::uint8_t socket : {0x20, 0x30}) {
                peer.setService(socket, usb_test::qdxaService([this](const Bytes& request) {
                                    return responder.answer(request);
                                }));
            }
            return 0;
        });
        if (printer == nullptr) {
            printer = &added;
        }
        return added;
    }

    std::vector<Bytes> hostPackets() const {
        return printer->withPeer([](usb_test::Ieee1284_4Peer& peer) { return peer.hostPackets; });
    }
    std::vector<Bytes> printerPackets() const {
        return printer->withPeer(
            [](usb_test::Ieee1284_4Peer& peer) { return peer.printerPackets; });
    }
    Bytes received(std::uint8_t socket) const {
        return printer->withPeer(
            [socket](usb_test::Ieee1284_4Peer& peer) { return peer.received[socket]; });
    }

    qdxa_test::Responder responder;
    usb_test::UmockdevUsbBed bed;
    usb_test::UsbPrinterModel* printer = nullptr;
};

}  // namespace usbtest
