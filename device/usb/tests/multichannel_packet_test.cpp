// IEEE 1284.4 commands as the host writes them and the checks of the printer's replies.
#include <gtest/gtest.h>

#include "transport/caio.h"
#include "usb/multichannel_packet.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(MultichannelPacket, HostCommandsAreByteExact) {
    EXPECT_EQ(mlc::initCommand(), (Bytes{0, 0, 0, 8, 1, 0, 0x00, 0x01}));
    EXPECT_EQ(mlc::openChannelCommand(0x20, 0x20, 512, 4096, 0, 16),
              (Bytes{0, 0, 0, 17, 1, 0, 0x01, 0x20, 0x20, 0x02, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00,
                     0x10}));
    EXPECT_EQ(mlc::closeChannelCommand(0x10, 0x10), (Bytes{0, 0, 0, 9, 1, 0, 0x02, 0x10, 0x10}));
    EXPECT_EQ(mlc::creditCommand(0x30, 0x30, 500),
              (Bytes{0, 0, 0, 11, 1, 0, 0x03, 0x30, 0x30, 0x01, 0xF4}));
    EXPECT_EQ(mlc::creditRequestCommand(0x10, 0x10, 65535, 65535),
              (Bytes{0, 0, 0, 13, 1, 0, 0x04, 0x10, 0x10, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(mlc::exitCommand(), (Bytes{0, 0, 0, 7, 1, 0, 0x08}));
    EXPECT_EQ(mlc::creditReply(0x20, 0x20), (Bytes{0, 0, 0, 10, 1, 0, 0x83, 0, 0x20, 0x20}));
    EXPECT_EQ(mlc::creditRequestReply(0x20, 0x20, 7),
              (Bytes{0, 0, 0, 12, 1, 0, 0x84, 0, 0x20, 0x20, 0, 7}));
}

TEST(MultichannelPacket, RepliesAreCheckedForCodeResultLengthAndSockets) {
    const Bytes openReply{0, 0, 0, 16, 1, 0, 0x81, 0, 0x20, 0x20, 0x02, 0x00, 0x10, 0x00, 0, 4};
    const struct {
        const char* what;
        Bytes reply;
        std::int32_t status;
    } cases[] = {
        {"accepted", openReply, kCaioNoErr},
        {"refused 3", {0, 0, 0, 8, 1, 0, 0x81, 3}, kCaioCodeNotConnected},
        {"refused 4 with another code", {0, 0, 0, 8, 1, 0, 0x85, 4}, kCaioCodeNotConnected},
        {"other result", {0, 0, 0, 8, 1, 0, 0x81, 1}, kCaioFailure},
        {"other code", {0, 0, 0, 16, 1, 0, 0x82, 0, 0x20, 0x20, 2, 0, 16, 0, 0, 4}, kCaioFailure},
        {"other socket", {0, 0, 0, 16, 1, 0, 0x81, 0, 0x30, 0x20, 2, 0, 16, 0, 0, 4}, kCaioFailure},
        {"shorter than its fields", {0, 0, 0, 12, 1, 0, 0x81, 0, 0x20, 0x20, 2, 0}, kCaioFailure},
        {"no result", {0, 0, 0, 7, 1, 0, 0x81}, kCaioFailure},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(mlc::checkReply(c.reply, mlc::kOpenChannel, mlc::kOpenChannelReplyLength, 0x20),
                  c.status)
            << c.what;
    }
    const mlc::OpenChannelReply fields = mlc::readOpenChannelReply(openReply);
    EXPECT_EQ(fields.hostToPrinterPacketSize, 512);
    EXPECT_EQ(fields.printerToHostPacketSize, 4096);
    EXPECT_EQ(fields.initialSendCredit, 4);
}

}  // namespace
