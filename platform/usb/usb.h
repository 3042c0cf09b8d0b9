// USB devices as the device library needs them: the interfaces of every attached device, control
// requests on a device, claiming an interface, and bulk transfers with time-outs.
//
// One libusb context serves the whole process; it is made on first use and made again in a child
// process after fork(), whose copy of the parent's context has no event thread. Every call is
// thread-safe; a DeviceHandle is used by one thread at a time except for bulk transfers on
// different endpoints.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace usb {

/// Results of the layer.
enum class Status {
    ok,
    timeout,   ///< the transfer did not complete in time (part of it may have)
    busy,      ///< the interface is claimed by another process or driver
    noDevice,  ///< the device has gone
    pipe,      ///< the endpoint stalled or the request was refused
    io,        ///< the transfer failed
    access,    ///< no permission to open the device
    notFound,  ///< no such device, interface or endpoint
    other,     ///< any other failure (memory, unsupported)
};

inline constexpr std::uint8_t kClassPrinter = 7;
inline constexpr std::uint8_t kSubclassPrinter = 1;

/// Standard descriptor sizes.
inline constexpr std::size_t kDeviceDescriptorSize = 18;

/// Control requests (USB 2.0, chapter 9) and the printer class's GET_DEVICE_ID (USB printer
/// class 1.1, 4.2.1).
inline constexpr std::uint8_t kRequestTypeStandardIn = 0x80;
inline constexpr std::uint8_t kRequestTypeClassInterfaceIn = 0xA1;
inline constexpr std::uint8_t kRequestGetDeviceId = 0;
inline constexpr std::uint8_t kRequestGetDescriptor = 6;
/// GET_DESCRIPTOR values: the descriptor type in the high byte, its index in the low byte.
inline constexpr std::uint16_t kDescriptorValueDevice = 0x0100;
inline constexpr std::uint16_t kDescriptorValueString = 0x0300;
inline constexpr std::uint16_t kLanguageEnglishUS = 0x0409;
/// Where the device descriptor names its string descriptors (0: no such string).
inline constexpr std::size_t kManufacturerIndexAt = 14;
inline constexpr std::size_t kProductIndexAt = 15;
inline constexpr std::size_t kSerialNumberIndexAt = 16;

struct Endpoint {
    std::uint8_t address = 0;     ///< bit 7 set for IN
    std::uint8_t attributes = 0;  ///< bits 0-1: transfer type (2 bulk)
    bool isBulk() const { return (attributes & 0x03) == 0x02; }
    bool isIn() const { return (address & 0x80) != 0; }
};

/// One alternate setting of one interface of an attached device, in the active configuration.
struct InterfaceInfo {
    std::uint8_t bus = 0;
    std::uint8_t deviceAddress = 0;
    std::uint8_t configurationValue = 0;
    std::uint8_t interfaceNumber = 0;
    std::uint8_t alternateSetting = 0;
    std::uint8_t interfaceClass = 0;
    std::uint8_t interfaceSubclass = 0;
    std::uint8_t interfaceProtocol = 0;
    std::vector<Endpoint> endpoints;  ///< in descriptor order
};

/// Whether an interface setting is a printer's (class 7, subclass 1).
inline bool isPrinterInterface(const InterfaceInfo& interface) {
    return interface.interfaceClass == kClassPrinter &&
           interface.interfaceSubclass == kSubclassPrinter;
}

/// Every interface setting of every attached device, devices in the system's order.
Status listInterfaces(std::vector<InterfaceInfo>& interfaces);

/// An open device, optionally with one claimed interface.
class DeviceHandle {
  public:
    /// Opens the device that `where` belongs to.
    static Status open(const InterfaceInfo& where, std::unique_ptr<DeviceHandle>& handle);

    /// Releases a claimed interface and closes the device.
    ~DeviceHandle();
    DeviceHandle(const DeviceHandle&) = delete;
    DeviceHandle& operator=(const DeviceHandle&) = delete;

    /// A control request on the default pipe; `data` is read or written by the direction bit of
    /// `requestType`; `transferred` receives the data bytes moved.
    Status control(std::uint8_t requestType, std::uint8_t request, std::uint16_t value,
                   std::uint16_t index, std::span<std::uint8_t> data,
                   std::chrono::milliseconds timeout, std::size_t& transferred);

    /// Claims the interface of `where` (detaching a kernel driver that holds it) and selects its
    /// alternate setting when that is not 0.
    Status claim();

    /// A bulk transfer on `endpoint` of the claimed interface; `transferred` receives the bytes
    /// moved, also when the transfer timed out part-way.
    Status bulk(std::uint8_t endpoint, std::uint8_t* data, std::size_t length,
                std::chrono::milliseconds timeout, std::size_t& transferred);

  private:
    struct Native;
    DeviceHandle(std::unique_ptr<Native> native, const InterfaceInfo& where);

    std::unique_ptr<Native> native_;
    InterfaceInfo where_;
    bool claimed_ = false;
};

}  // namespace usb
