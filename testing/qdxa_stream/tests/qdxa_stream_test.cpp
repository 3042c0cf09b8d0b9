// The stream reader: well-formed streams split into their packets and parameters, and every kind
// of malformed header or length stops the reading at the bad packet.
#include "qdxa_stream/qdxa_stream.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace qdxastream;

// A header written out byte by byte.
Bytes header(std::uint8_t flags, std::uint16_t operation, std::uint16_t length,
             std::uint32_t firstId = 0, std::uint32_t secondId = 0) {
    return {0xCD,
            0xCA,
            0x10,
            flags,
            static_cast<std::uint8_t>(operation >> 8),
            static_cast<std::uint8_t>(operation),
            0x00,
            0x01,
            static_cast<std::uint8_t>(length >> 8),
            static_cast<std::uint8_t>(length),
            static_cast<std::uint8_t>(firstId >> 24),
            static_cast<std::uint8_t>(firstId >> 16),
            static_cast<std::uint8_t>(firstId >> 8),
            static_cast<std::uint8_t>(firstId),
            static_cast<std::uint8_t>(secondId >> 24),
            static_cast<std::uint8_t>(secondId >> 16),
            static_cast<std::uint8_t>(secondId >> 8),
            static_cast<std::uint8_t>(secondId),
            0x00,
            0x00};
}

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TEST(QdxaStream, SplitsPacketsAndTheirParameters) {
    const Bytes stream = join({header(0, qdxa::kOpBinderEnd, 0),
                               header(4, qdxa::kOpSetDocument, 3, 7, 9),
                               {0x08, 0x32, 0x02},
                               header(2, qdxa::kOpSendData, 3),
                               {0x01, 0xAA, 0xBB},
                               header(0, qdxa::kOpSendData, 2),
                               {0x01, 0xCC}});
    const Stream read = splitPackets(stream);
    ASSERT_TRUE(read.ok()) << read.error;
    ASSERT_EQ(read.packets.size(), 4u);
    EXPECT_EQ(read.packets[0].operation, qdxa::kOpBinderEnd);
    EXPECT_TRUE(read.packets[0].parameters.empty());
    const Packet& set = read.packets[1];
    EXPECT_EQ(set.offset, 20u);
    EXPECT_EQ(set.flags, 4);
    EXPECT_EQ(set.sequence, 1);
    EXPECT_EQ(set.firstId, 7u);
    EXPECT_EQ(set.secondId, 9u);
    EXPECT_EQ(setAttribute(set), (Attribute{2098, {0x02}}));
    EXPECT_FALSE(setAttribute(read.packets[0]));
    EXPECT_EQ(joinedData(read.packets), (Bytes{0xAA, 0xBB, 0xCC}));
    EXPECT_EQ(describe(read.packets).substr(0, 45),
              "       0 BinderEnd     flags 00 length     0\n");
}

TEST(QdxaStream, MalformedPacketsStopTheReading) {
    const Bytes good = header(0, qdxa::kOpDocumentEnd, 0);
    Bytes badMagic = header(0, qdxa::kOpJobEnd, 1);
    badMagic[1] = 0xCB;
    badMagic.push_back(0);
    Bytes badVersion = header(0, qdxa::kOpJobEnd, 1);
    badVersion[2] = 0x11;
    badVersion.push_back(0);
    const struct {
        const char* name;
        Bytes tail;
        const char* error;
    } cases[] = {
        {"bad magic", badMagic, "bad magic"},
        {"bad version", badVersion, "bad version 17"},
        {"header cut off", Bytes(good.begin(), good.begin() + 19), "header cut off: 19 bytes left"},
        {"parameters cut off", join({header(0, qdxa::kOpSetJob, 5), {0, 4, 0}}),
         "parameters cut off: length 5, 3 bytes left"},
    };
    for (const auto& c : cases) {
        const Stream read = splitPackets(join({good, c.tail}));
        EXPECT_EQ(read.error, c.error) << c.name;
        EXPECT_EQ(read.errorOffset, 20u) << c.name;
        EXPECT_EQ(read.packets.size(), 1u) << c.name;
    }
}

TEST(QdxaStream, JobStart2ListMustMatchItsCount) {
    const Bytes list = {0x00, 0x02, 0x00, 0xF0, 0x00, 0x01, 0x02,
                        0x00, 0x09, 0x00, 0x02, 0xAB, 0xCD};
    Packet packet;
    packet.operation = qdxa::kOpJobStart2;
    packet.parameters = list;
    const auto attributes = jobStart2Attributes(packet);
    ASSERT_TRUE(attributes);
    EXPECT_EQ(*attributes, (std::vector<Attribute>{{240, {0x02}}, {9, {0xAB, 0xCD}}}));

    packet.parameters[1] = 3;  // one attribute more than the list holds
    EXPECT_FALSE(jobStart2Attributes(packet));
    packet.parameters = list;
    packet.parameters.push_back(0);  // a stray byte after the list
    EXPECT_FALSE(jobStart2Attributes(packet));
    packet.parameters = list;
    packet.parameters[10] = 3;  // a value running past the list
    EXPECT_FALSE(jobStart2Attributes(packet));
}

TEST(QdxaStream, MethodCallsAndShortParameters) {
    Packet packet;
    packet.operation = qdxa::kOpExecuteMethod;
    packet.parameters = {0, 0, 0, 0, 0x40, 0x11, 0x04, 0x01};
    const auto call = methodCall(packet);
    ASSERT_TRUE(call);
    EXPECT_EQ(call->object, 0u);
    EXPECT_EQ(call->method, 0x4011);
    EXPECT_EQ(call->value, (Bytes{0x04, 0x01}));
    packet.parameters.resize(5);
    EXPECT_FALSE(methodCall(packet));
    packet.operation = qdxa::kOpSendData;
    packet.parameters.clear();
    EXPECT_FALSE(dataPiece(packet));
    EXPECT_EQ(operationName(0x7F), "0x7F");
}

}  // namespace
