// A USB printer for tests.
#include "usb_printer_model.h"

#include <algorithm>

namespace usb_test {

namespace {

// Standard requests and descriptor types (USB 2.0, chapter 9) and the printer class's
// GET_DEVICE_ID (USB printer class 1.1, 4.2.1).
constexpr std::uint8_t kRequestTypeStandardIn = 0x80;
constexpr std::uint8_t kRequestTypeClassInterfaceIn = 0xA1;
constexpr std::uint8_t kGetDescriptor = 6;
constexpr std::uint8_t kGetDeviceId = 0;
constexpr std::uint8_t kDescriptorDevice = 1;
constexpr std::uint8_t kDescriptorConfiguration = 2;
constexpr std::uint8_t kDescriptorString = 3;
constexpr std::uint16_t kLanguageEnglishUS = 0x0409;
constexpr std::uint8_t kManufacturerIndex = 1;
constexpr std::uint8_t kProductIndex = 2;
constexpr std::uint8_t kSerialIndex = 3;
constexpr std::uint16_t kBulkPacketSize = 512;
constexpr std::size_t kSetupSize = 8;

void put16le(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

std::uint16_t le16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

Bytes deviceDescriptor(const UsbPrinterIdentity& identity) {
    Bytes d{18, kDescriptorDevice};
    put16le(d, 0x0200);  // USB 2.0
    d.insert(d.end(), {0, 0, 0, 64});
    put16le(d, identity.vendorId);
    put16le(d, identity.productId);
    put16le(d, 0x0100);  // device release
    d.insert(d.end(),
             {kManufacturerIndex, kProductIndex,
              static_cast<std::uint8_t>(identity.serialNumber.empty() ? 0 : kSerialIndex), 1});
    return d;
}

Bytes configurationDescriptor() {
    constexpr std::uint8_t kBidirectional = 2;
    constexpr std::uint8_t kBulk = 2;
    Bytes c{9, kDescriptorConfiguration};
    put16le(c, 9 + 9 + 7 + 7);
    c.insert(c.end(), {1, 1, 0, 0xC0, 1});
    c.insert(c.end(), {9, 4, 0, 0, 2, 7, 1, kBidirectional, 0});
    c.insert(c.end(), {7, 5, kPrinterOutEndpoint, kBulk});
    put16le(c, kBulkPacketSize);
    c.push_back(0);
    c.insert(c.end(), {7, 5, kPrinterInEndpoint, kBulk});
    put16le(c, kBulkPacketSize);
    c.push_back(0);
    return c;
}

}  // namespace

UsbPrinterModel::UsbPrinterModel(UsbPrinterIdentity identity, Ieee1284_4Peer::Settings settings)
    : identity_(std::move(identity)), peer_(settings) {}

Bytes UsbPrinterModel::descriptors() const {
    Bytes all = deviceDescriptor(identity_);
    const Bytes config = configurationDescriptor();
    all.insert(all.end(), config.begin(), config.end());
    return all;
}

Bytes UsbPrinterModel::stringDescriptor(std::uint8_t index) const {
    Bytes d{0, kDescriptorString};
    if (index == 0) {
        put16le(d, kLanguageEnglishUS);
    } else {
        const std::string& text = index == kManufacturerIndex ? identity_.manufacturer
                                  : index == kProductIndex    ? identity_.product
                                                              : identity_.serialNumber;
        for (const char c : text) {  // the tests' strings are ASCII
            put16le(d, static_cast<std::uint8_t>(c));
        }
    }
    d[0] = static_cast<std::uint8_t>(d.size());
    return d;
}

ControlAnswer UsbPrinterModel::control(std::span<const std::uint8_t> setup) {
    std::lock_guard lock(mutex_);
    ControlAnswer answer;
    if (setup.size() < kSetupSize) {
        answer.stall = true;
        return answer;
    }
    const std::uint8_t requestType = setup[0];
    const std::uint8_t request = setup[1];
    const std::uint16_t value = le16(setup, 2);
    const std::uint16_t length = le16(setup, 6);
    if (requestType == kRequestTypeClassInterfaceIn && request == kGetDeviceId) {
        if (rawDeviceId_) {
            answer.in = *rawDeviceId_;
        } else {
            const auto total = static_cast<std::uint16_t>(identity_.deviceId.size() + 2);
            answer.in = {static_cast<std::uint8_t>(total >> 8), static_cast<std::uint8_t>(total)};
            answer.in.insert(answer.in.end(), identity_.deviceId.begin(), identity_.deviceId.end());
        }
    } else if (requestType == kRequestTypeStandardIn && request == kGetDescriptor) {
        switch (value >> 8) {
            case kDescriptorDevice:
                answer.in = deviceDescriptor(identity_);
                break;
            case kDescriptorConfiguration:
                answer.in = configurationDescriptor();
                break;
            case kDescriptorString:
                answer.in = stringDescriptor(static_cast<std::uint8_t>(value));
                break;
            default:
                answer.stall = true;
        }
    } else {
        answer.stall = true;
    }
    if (answer.in.size() > length) {
        answer.in.resize(length);
    }
    return answer;
}

bool UsbPrinterModel::hostWrote(std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    if (!reading_) {
        return false;
    }
    written_.insert(written_.end(), bytes.begin(), bytes.end());
    peer_.hostWrote(bytes);
    return true;
}

Bytes UsbPrinterModel::take(std::size_t capacity) {
    std::lock_guard lock(mutex_);
    return peer_.take(capacity);
}

void UsbPrinterModel::setReading(bool reading) {
    std::lock_guard lock(mutex_);
    reading_ = reading;
}

bool UsbPrinterModel::reading() const {
    std::lock_guard lock(mutex_);
    return reading_;
}

void UsbPrinterModel::setRawDeviceIdAnswer(std::optional<Bytes> raw) {
    std::lock_guard lock(mutex_);
    rawDeviceId_ = std::move(raw);
}

Bytes UsbPrinterModel::written() const {
    std::lock_guard lock(mutex_);
    return written_;
}

}  // namespace usb_test
