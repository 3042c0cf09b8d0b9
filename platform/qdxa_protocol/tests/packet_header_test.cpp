// The shared QDXA packet header: its byte layout on the wire and reading it back.
#include "qdxa_protocol/packet_header.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

qdxa::HeaderFields sampleFields() {
    qdxa::HeaderFields fields;
    fields.flags = qdxa::kFlagResultValid | qdxa::kFlagMore;
    fields.operation = 0x0102;
    fields.sequence = 0x0304;
    fields.parameterLength = 0x0506;
    fields.firstIdentifier = 0x0708090A;
    fields.secondIdentifier = 0x0B0C0D0E;
    fields.result = 0x0F10;
    return fields;
}

TEST(QdxaPacketHeader, WritesEveryFieldBigEndianAtItsOffset) {
    std::array<std::uint8_t, qdxa::kHeaderSize + 1> out{};
    out.back() = 0x5A;  // the byte after the header stays untouched
    qdxa::writeHeader(out.data(), sampleFields());
    const std::array<std::uint8_t, qdxa::kHeaderSize + 1> expected = {
        0xCD, 0xCA, 0x10, 0x03, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,
        0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x5A};
    EXPECT_EQ(out, expected);
}

TEST(QdxaPacketHeader, ReadsBackWhatWasWrittenAndRefusesShortInput) {
    std::vector<std::uint8_t> packet(qdxa::kHeaderSize);
    qdxa::writeHeader(packet.data(), sampleFields());
    const auto read = qdxa::readHeader(packet);
    ASSERT_TRUE(read.has_value());
    const qdxa::HeaderFields want = sampleFields();
    EXPECT_EQ(read->flags, want.flags);
    EXPECT_EQ(read->operation, want.operation);
    EXPECT_EQ(read->sequence, want.sequence);
    EXPECT_EQ(read->parameterLength, want.parameterLength);
    EXPECT_EQ(read->firstIdentifier, want.firstIdentifier);
    EXPECT_EQ(read->secondIdentifier, want.secondIdentifier);
    EXPECT_EQ(read->result, want.result);

    packet.pop_back();
    EXPECT_FALSE(qdxa::readHeader(packet).has_value());
}

}  // namespace
