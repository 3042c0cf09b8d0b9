// What a USB printer sends back: IEEE 1284.4 transaction replies, the device id answer and string
// descriptors. Whatever arrives, a reply is accepted only with all the fields that are read from
// it, and the texts stay within the bytes received.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "support/fuzz_check.h"
#include "transport/caio.h"
#include "usb/multichannel_packet.h"
#include "usb/usb_descriptor_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using testsupport::fuzzRequire;
    const std::span<const std::uint8_t> bytes(data, size);
    const struct {
        std::uint8_t command;
        std::size_t length;
    } replies[] = {
        {mlc::kInit, mlc::kInitReplyLength},
        {mlc::kOpenChannel, mlc::kOpenChannelReplyLength},
        {mlc::kCloseChannel, mlc::kCloseChannelReplyLength},
        {mlc::kCredit, mlc::kCreditReplyLength},
        {mlc::kCreditRequest, mlc::kCreditRequestReplyLength},
    };
    for (const auto& reply : replies) {
        const std::int32_t status = mlc::checkReply(bytes, reply.command, reply.length, 0x10);
        fuzzRequire(
            status == kCaioNoErr || status == kCaioFailure || status == kCaioCodeNotConnected,
            "a reply check gives 0, -1 or 107");
        if (status == kCaioNoErr) {
            fuzzRequire(size >= reply.length, "an accepted reply holds its fields");
            if (reply.command == mlc::kOpenChannel) {
                mlc::readOpenChannelReply(bytes);
            }
        }
    }
    if (const auto header = mlc::readHeader(bytes)) {
        fuzzRequire(size >= mlc::kHeaderSize, "a head is read from 6 bytes");
    }
    const std::string id = device::UsbDeviceIdFromAnswer(bytes);
    fuzzRequire(id.size() + 2 <= std::max<std::size_t>(size, 2) &&
                    id.size() <= device::kUsbDeviceIdRequestSize - 2 &&
                    std::memchr(id.data(), 0, id.size()) == nullptr,
                "the device id stays within what arrived and holds no NUL");
    const std::string text = device::UsbStringFromDescriptor(bytes);
    fuzzRequire(text.size() <= 2 * size, "a string descriptor's text stays bounded");
    return 0;
}
