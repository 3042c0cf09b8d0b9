// A USB printer for tests: its descriptors, its IEEE 1284 device id, the control requests it
// answers, and its bulk pipes, behind which an IEEE 1284.4 peer serves the channels.
//
// The model knows nothing of how the host reaches it (see umockdev_usb_bed.h). Every public
// member function is thread-safe; `withPeer` runs code on the peer under the model's lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ieee1284_4_peer.h"
#include "qdxa_protocol/packet_header.h"

namespace usb_test {

/// Who the printer says it is.
struct UsbPrinterIdentity {
    std::uint16_t vendorId = 0xF055;
    std::uint16_t productId = 0x5106;
    std::string manufacturer = "Orvane";    ///< string descriptor 1
    std::string product = "Stratoline X9";  ///< string descriptor 2
    std::string serialNumber = "00A1";      ///< string descriptor 3; empty: no serial index
    /// The IEEE 1284 device id text.
    std::string deviceId = "MFG:Orvane;MDL:Stratoline X9;CMD:QDXA,PJL;SERN:00A1;";
};

inline constexpr std::uint8_t kPrinterOutEndpoint = 0x01;
inline constexpr std::uint8_t kPrinterInEndpoint = 0x82;

/// The answer to a control request.
struct ControlAnswer {
    bool stall = false;  ///< the request is refused
    Bytes in;            ///< data of an IN request
};

class UsbPrinterModel {
  public:
    explicit UsbPrinterModel(UsbPrinterIdentity identity, Ieee1284_4Peer::Settings settings = {});

    const UsbPrinterIdentity& identity() const { return identity_; }

    /// The device descriptor followed by the configuration descriptor with its printer-class
    /// interface (bidirectional protocol) and the bulk OUT and IN endpoints.
    Bytes descriptors() const;

    /// Answers a control request (the 8-byte setup packet).
    ControlAnswer control(std::span<const std::uint8_t> setup);

    /// Takes bytes from the bulk OUT pipe; false (nothing taken) while the printer does not read.
    bool hostWrote(std::span<const std::uint8_t> bytes);
    /// Up to `capacity` bytes for the bulk IN pipe.
    Bytes take(std::size_t capacity);

    /// A printer that stops reading leaves every bulk OUT transfer pending.
    void setReading(bool reading);
    bool reading() const;

    /// The GET_DEVICE_ID answer as it goes on the wire, in place of the length head and the
    /// device id text (for answers whose head lies or that carry no terminator).
    void setRawDeviceIdAnswer(std::optional<Bytes> raw);

    /// Every byte written to the bulk OUT pipe, in order.
    Bytes written() const;

    template <class Action>
    auto withPeer(Action action) {
        std::lock_guard lock(mutex_);
        return action(peer_);
    }

  private:
    Bytes stringDescriptor(std::uint8_t index) const;

    UsbPrinterIdentity identity_;
    mutable std::mutex mutex_;
    Ieee1284_4Peer peer_;
    bool reading_ = true;
    std::optional<Bytes> rawDeviceId_;
    Bytes written_;
};

/// A channel service that answers each QDXA request with the replies of `answer`, once the
/// request's 20-byte head and its parameter have arrived (they may come in several packets).
template <class Answer>
ChannelService qdxaService(Answer answer) {
    return [answer, buffer = Bytes()](std::span<const std::uint8_t> received) mutable {
        constexpr std::size_t kHead = qdxa::kHeaderSize;
        constexpr std::size_t kParameterLengthAt = offsetof(qdxa::PacketHeader, parameterLength);
        buffer.insert(buffer.end(), received.begin(), received.end());
        Bytes out;
        while (buffer.size() >= kHead) {
            const std::size_t total =
                kHead + (buffer[kParameterLengthAt] << 8 | buffer[kParameterLengthAt + 1]);
            if (buffer.size() < total) {
                break;
            }
            const Bytes request(buffer.begin(), buffer.begin() + static_cast<long>(total));
            buffer.erase(buffer.begin(), buffer.begin() + static_cast<long>(total));
            for (const Bytes& reply : answer(request)) {
                out.insert(out.end(), reply.begin(), reply.end());
            }
        }
        return out;
    };
}

}  // namespace usb_test
