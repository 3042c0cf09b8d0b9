// The packet glue: print data cut into data packets, and every job, binder and document
// attribute in its wire form behind its id, from the record or from the caller.
#include "qdxa/tarn_qdxa.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "qdxa_test_support.h"

namespace {

using namespace qdxatest;
using rastercore::kPacketBadArgument;

Bytes pattern(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    }
    return bytes;
}

TEST(SendData, CutsABlockIntoDataPacketsOfAtMost65515Bytes) {
    Record record;
    const Bytes data = pattern(140000);
    std::int16_t status = 99;
    EXPECT_EQ(tarn_QDXA_SendData(record.info, data.data(), 140000, 0, &status), 0);
    EXPECT_EQ(status, 0);
    const auto packets = record.services.packets();
    ASSERT_EQ(packets.size(), 3u);
    const std::size_t sizes[] = {65515, 65515, 8970};
    const std::uint8_t flags[] = {2, 2, 0};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(packets[i].operation, qdxa::kOpSendData);
        EXPECT_EQ(packets[i].flags, flags[i]) << i;
        EXPECT_EQ(packets[i].parameters.size(), sizes[i] + 1) << i;
        EXPECT_EQ(packets[i].parameters[0], 1);  // print data
        EXPECT_EQ(packets[i].sequence, 1);
    }
    EXPECT_EQ(qdxastream::joinedData(packets), data);
    EXPECT_EQ(record.info->octetCount, 140000u + 3 * 21);
    for (const auto& send : record.services.sends) {
        EXPECT_FALSE(send.last);
    }
}

TEST(SendData, PacketBoundaries) {
    const struct {
        std::uint32_t length;
        std::vector<std::size_t> pieces;
    } cases[] = {
        {1, {1}},
        {65515, {65515}},
        {65516, {65515, 1}},
        {2 * 65515, {65515, 65515}},
    };
    for (const auto& c : cases) {
        Record record;
        const Bytes data = pattern(c.length);
        EXPECT_EQ(tarn_QDXA_SendData(record.info, data.data(), c.length, 1, nullptr), 0);
        const auto packets = record.services.packets();
        ASSERT_EQ(packets.size(), c.pieces.size()) << c.length;
        for (std::size_t i = 0; i < packets.size(); ++i) {
            const bool lastPiece = i + 1 == packets.size();
            EXPECT_EQ(packets[i].parameters.size(), c.pieces[i] + 1) << c.length;
            // Asking a reply marks only the last piece; the others say more data follows.
            EXPECT_EQ(packets[i].flags, lastPiece ? 4 : 2) << c.length;
        }
        EXPECT_EQ(qdxastream::joinedData(packets), data);
        EXPECT_EQ(record.info->octetCount, c.length + 21 * c.pieces.size());
    }
}

TEST(SendData, FirstFailureStopsTheBlock) {
    for (const std::int32_t code : {rastercore::kResultCancelled, rastercore::kTransportFailure}) {
        Record record;
        record.services.failAt = 1;
        record.services.failCode = code;
        const Bytes data = pattern(200000);
        EXPECT_EQ(tarn_QDXA_SendData(record.info, data.data(), 200000, 0, nullptr), code);
        EXPECT_EQ(record.services.sends.size(), 2u);
        EXPECT_EQ(record.info->octetCount, 65536u);  // only what the transport took
    }
    Record record;
    const std::uint8_t byte = 0;
    EXPECT_EQ(tarn_QDXA_SendData(nullptr, &byte, 1, 0, nullptr), kPacketBadArgument);
    EXPECT_EQ(tarn_QDXA_SendData(record.info, nullptr, 1, 0, nullptr), kPacketBadArgument);
    EXPECT_EQ(tarn_QDXA_SendData(record.info, &byte, 0, 0, nullptr), kPacketBadArgument);
    EXPECT_TRUE(record.services.sends.empty());
}

// A record holding a distinct value in every attribute.
void fillAttributes(QDXA_Info* info) {
    info->jobName = {4, 3, {'A', 'B', 'C'}};
    info->owner = {1000, 2, {0x30, 0x42}};
    info->identifierOnClient = {4, {'h', 'o', 's', 't'}};
    info->submissionTime = {0x11223344, 0x55667788};
    info->impressions = 0x12345;
    info->octetCount = 0x0A0B0C0D;
    info->jobCopies = 3;
    info->binderCopies = 1;
    info->documentCopies = 2;
    info->documentFormat = {123, {}, {}};
    info->colorMode = 2;
    info->medium = {0x21, 254, 19, 6100, 9150, 3};
    info->printQuality = 3;
    info->panelMessage = {4, 2, {'H', 'i'}};
    info->trayArray = {1, {{201, {}}}};
    info->mediumTypeEx = {1, 0x0102};
    info->cuttingType = 2;
    info->inkDryingType = 1;
    info->dryingTime = 60;
    info->nUp = 2;
    info->optimize = 3;
    info->onePassPrint = 1;
    info->borderlessPrint = 2;
    info->rollWidth = 0xFFFE;
    info->detailMedia = {2, {{1, 3}, {2, 10}}};
    info->calibration = 0;
    info->pathMode = 8;
    info->groupId = 0x0203;
}

struct AttributeCase {
    std::function<std::int32_t(QDXA_Info*, std::int16_t*)> send;
    std::string packet;  // operation and id as the recording summary writes them
    std::string value;   // hexadecimal
};

TEST(TarnQdxaAttributes, EveryAttributeInItsWireForm) {
    const AttributeCase cases[] = {
        {[](auto i, auto s) { return tarn_QDXA_SetJob_Name(i, nullptr, 0, s); }, "SetJob 4",
         "0004 03 414243"},
        {[](auto i, auto s) { return tarn_QDXA_SetJob_Owner(i, nullptr, 0, s); }, "SetJob 6",
         "03E8 02 3042"},
        {[](auto i, auto s) { return tarn_QDXA_SetJob_IdentifierOnClient(i, nullptr, 0, s); },
         "SetJob 8", "04 686F7374"},
        {[](auto i, auto s) { return tarn_QDXA_SetJob_SubnissionTimeOnClient(i, nullptr, 0, s); },
         "SetJob 9", "11223344 55667788"},
        {[](auto i, auto s) { return tarn_QDXA_SetJob_Impressions2(i, nullptr, 0, s); },
         "SetJob 275", "00012345"},
        {[](auto i, auto s) { return tarn_QDXA_SetJob_Impressions(i, nullptr, 0, s); },
         "SetJob 2004", "FFFF"},
        {[](auto i, auto s) { return tarn_QDXA_SetJob_Octets(i, nullptr, 0, s); }, "SetJob 2006",
         "0A0B0C0D"},
        {[](auto i, auto s) { return tarn_QDXA_SetJob_Copise(i, nullptr, 0, s); }, "SetJob 2007",
         "0003"},
        {[](auto i, auto s) { return tarn_QDXA_SetBinder_Copies(i, nullptr, 0, s); },
         "SetBinder 2007", "0001"},
        {[](auto i, auto s) { return tarn_QDXA_SetDocument_Copise(i, nullptr, 0, s); },
         "SetDocument 2007", "0002"},
        {[](auto i, auto s) { return tarn_QDXA_SetDocument_DocumentFormat(i, nullptr, 0, s); },
         "SetDocument 46", "7B 00 00"},
        {[](auto i, auto s) { return tarn_QDXA_SetDocument_ColorMode(i, nullptr, 0, s); },
         "SetDocument 2104", "02"},
        {[](auto i, auto s) { return tarn_QDXA_SetDocument_Medium(i, nullptr, 0, s); },
         "SetDocument 2029", "21 FE 0013 000017D4 000023BE 03"},
        {[](auto i, auto s) { return tarn_QDXA_SetDocument_PrintQuality(i, nullptr, 0, s); },
         "SetDocument 2042", "03"},
        {[](auto i, auto s) { return tarn_QDXA_SetDocument_PanelMessage(i, nullptr, 0, s); },
         "SetDocument 2140", "0004 02 4869"},
        {[](auto i, auto s) {
             return tarn_QDXA_SetDocument_InputTrayPriorityArray(i, nullptr, 0, s);
         },
         "SetDocument 2158", "01 C9 00 00"},
        {[](auto i, auto s) { return tarn_QDXA_SetDocument_MediumTypeEx(i, nullptr, 0, s); },
         "SetDocument 2214", "01 0102"},
        {[](auto i, auto s) { return tarn_QDXA_SetDocument_CuttingType(i, nullptr, 0, s); },
         "SetDocument 2217", "02"},
        {[](auto i, auto s) {
             return tarn_QDXA_SetDocument_MarkerColorantDryingType(i, nullptr, 0, s);
         },
         "SetDocument 2218", "01"},
        {[](auto i, auto s) {
             return tarn_QDXA_SetDocument_MarkerColorantDryingTime(i, nullptr, 0, s);
         },
         "SetDocument 2219", "0000003C"},
        {[](auto i, auto s) { return tarn_QDXA_SetDocument_Nup(i, nullptr, 0, s); },
         "SetDocument 2229", "02"},
        {[](auto i, auto s) { return tarn_QDXA_SetDocument_Optimize(i, nullptr, 0, s); },
         "SetDocument 2343", "03"},
        {[](auto i, auto s) { return tarn_QDXA_SetDocument_OnePassPrint(i, nullptr, 0, s); },
         "SetDocument 2355", "01"},
        {[](auto i, auto s) { return tarn_QDXA_SetDocument_BorderlessPrint(i, nullptr, 0, s); },
         "SetDocument 2409", "02"},
        {[](auto i, auto s) { return tarn_QDXA_SetDocument_RollWidth(i, nullptr, 0, s); },
         "SetDocument 2410", "FFFE"},
        {[](auto i, auto s) { return tarn_QDXA_SetDocument_Detail_Media_Info(i, nullptr, 0, s); },
         "ExecuteMethod 0x4006", "02 0103 020A"},
        {[](auto i, auto s) {
             return tarn_QDXA_SetDocument_Detail_Media_Calibration(i, nullptr, 0, s);
         },
         "ExecuteMethod 0x400B", "00"},
        {[](auto i, auto s) { return tarn_QDXA_SetDocument_PathMode(i, nullptr, 0, s); },
         "ExecuteMethod 0x4014", "08"},
        {[](auto i, auto s) {
             return tarn_QDXA_SetDocument_Detail_Media_CreatorID(i, nullptr, 0, s);
         },
         "ExecuteMethod 0x4011", "0401A768"},
        {[](auto i, auto s) { return tarn_QDXA_SetDocument_GroupID(i, nullptr, 0, s); },
         "ExecuteMethod 0x4018", "0203"},
    };
    for (const AttributeCase& c : cases) {
        Record record;
        fillAttributes(record.info);
        std::int16_t status = -5;
        EXPECT_EQ(c.send(record.info, &status), 0) << c.packet;
        EXPECT_EQ(status, 0) << c.packet;
        EXPECT_EQ(c.send(nullptr, &status), kPacketBadArgument) << c.packet;
        ASSERT_EQ(record.services.summary(), std::vector<std::string>{c.packet});
        const qdxastream::Packet packet = record.services.packets()[0];
        const auto attribute = qdxastream::setAttribute(packet);
        const auto call = qdxastream::methodCall(packet);
        EXPECT_EQ(attribute ? attribute->value : call->value, hex(c.value)) << c.packet;
        EXPECT_EQ(packet.flags, 0) << c.packet;
        EXPECT_EQ(packet.firstId, 0u) << c.packet;
    }
}

TEST(TarnQdxaAttributes, GivenValueReplacesTheRecordsOwn) {
    Record record;
    fillAttributes(record.info);
    const std::uint16_t copies = 9;
    const std::uint32_t impressions = 4;
    const QDXA_DocumentFormat format{0x55, {1, {'x'}}, {2, {'y', 'z'}}};
    EXPECT_EQ(tarn_QDXA_SetDocument_Copise(record.info, &copies, 1, nullptr), 0);
    EXPECT_EQ(tarn_QDXA_SetJob_Impressions(record.info, &impressions, 0, nullptr), 0);
    EXPECT_EQ(tarn_QDXA_SetDocument_DocumentFormat(record.info, &format, 0, nullptr), 0);
    const auto packets = record.services.packets();
    ASSERT_EQ(packets.size(), 3u);
    EXPECT_EQ(packets[0].flags, 4);  // the reply flag asks for an answer
    EXPECT_EQ(qdxastream::setAttribute(packets[0])->value, hex("0009"));
    EXPECT_EQ(qdxastream::setAttribute(packets[1])->value, hex("0004"));
    EXPECT_EQ(qdxastream::setAttribute(packets[2])->value, hex("55 01 78 02 797A"));
    EXPECT_EQ(record.info->documentCopies, 2);
}

TEST(TarnQdxaAttributes, CountsBeyondTheRecordAreNotRead) {
    Record record;
    QDXA_DetailMedia media{};
    media.count = 200;  // more pairs than the record holds
    QDXA_TrayArray trays{};
    trays.count = 9;
    EXPECT_EQ(tarn_QDXA_SetDocument_Detail_Media_Info(record.info, &media, 0, nullptr), 0);
    EXPECT_EQ(tarn_QDXA_SetDocument_InputTrayPriorityArray(record.info, &trays, 0, nullptr), 0);
    const auto packets = record.services.packets();
    EXPECT_EQ(qdxastream::methodCall(packets[0])->value.size(), 1u + 2 * kMediaDetailChoiceCount);
    EXPECT_EQ(qdxastream::methodCall(packets[0])->value[0], kMediaDetailChoiceCount);
    EXPECT_EQ(qdxastream::setAttribute(packets[1])->value, hex("01 00 00 00"));
}

TEST(TarnQdxaPackets, StructurePacketsOfTheJob) {
    Record record;
    record.info->jobStart2.jobKind = 2;
    record.info->jobStart2.printKind = 3;
    const std::function<std::int32_t(QDXA_Info*, std::int16_t*)> sends[] = {
        [](auto i, auto s) { return tarn_QDXA_JobStart(i, nullptr, 0, s); },
        [](auto i, auto s) { return tarn_QDXA_BinderStart(i, nullptr, 0, s); },
        [](auto i, auto s) { return tarn_QDXA_DocumentStart(i, nullptr, 0, s); },
        [](auto i, auto s) { return tarn_QDXA_DocumentEnd(i, nullptr, 0, s); },
        [](auto i, auto s) { return tarn_QDXA_BinderEnd(i, nullptr, 0, s); },
        [](auto i, auto s) { return tarn_QDXA_JobEnd(i, 0, 0, s); },
    };
    for (const auto& send : sends) {
        std::int16_t status = 7;
        EXPECT_EQ(send(record.info, &status), 0);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(send(nullptr, nullptr), kPacketBadArgument);
    }
    EXPECT_EQ(record.services.stream(),
              hex("CDCA1000 0011 0001 000D 00000000 00000000 0000 00000000 01 00000000 00000000"
                  "CDCA1000 0014 0001 0004 00000000 00000000 0000 00000000"
                  "CDCA1000 0017 0001 0004 00000000 00000000 0000 00000000"
                  "CDCA1000 0019 0001 0000 00000000 00000000 0000"
                  "CDCA1000 0016 0001 0000 00000000 00000000 0000"
                  "CDCA1000 0013 0001 0001 00000000 00000000 0000 00"));
    EXPECT_TRUE(record.services.sends.back().last);
}

TEST(TarnQdxaPackets, JobStart2CarriesItsAttributeList) {
    Record record;
    QDXA_JobStart2Values& values = record.info->jobStart2;
    values = {
        2, 3, 1, 42, {4, 2, {'N', 'm'}}, 1, {4, 1, {'o'}}, 1, 7, {}, {0x7E7CF900, 0x0A0B0000}};
    values.clientJobRecord[0] = 0x8B;
    values.clientJobRecord[63] = 0xEE;
    EXPECT_EQ(tarn_QDXA_JobStart2(record.info, nullptr, 0, nullptr), 0);
    values.hasOwner = 0;
    values.hasSubKind = 0;
    values.copyRangeCount = 0;
    EXPECT_EQ(tarn_QDXA_JobStart2(record.info, nullptr, 0, nullptr), 0);

    const auto packets = record.services.packets();
    ASSERT_EQ(packets.size(), 2u);
    const auto full = qdxastream::jobStart2Attributes(packets[0]);
    ASSERT_TRUE(full);
    std::vector<std::uint16_t> ids;
    for (const auto& attribute : *full) {
        ids.push_back(attribute.id);
    }
    EXPECT_EQ(ids, (std::vector<std::uint16_t>{240, 304, 4, 6, 13, 280, 9}));
    EXPECT_EQ((*full)[0].value, hex("02"));
    EXPECT_EQ((*full)[1].value, hex("03 0001 00000000 002A 00000000"));
    EXPECT_EQ((*full)[2].value, hex("0004 02 4E6D"));
    EXPECT_EQ((*full)[3].value, hex("0004 01 6F"));
    EXPECT_EQ((*full)[4].value, hex("07"));
    ASSERT_EQ((*full)[5].value.size(), 64u);
    EXPECT_EQ((*full)[5].value.front(), 0x8B);
    EXPECT_EQ((*full)[5].value.back(), 0xEE);
    EXPECT_EQ((*full)[6].value, hex("7E7CF900 0A0B0000"));

    // Without owner, sub-kind and copy range: five attributes, the range list empty.
    const auto reduced = qdxastream::jobStart2Attributes(packets[1]);
    ASSERT_TRUE(reduced);
    ASSERT_EQ(reduced->size(), 5u);
    EXPECT_EQ((*reduced)[1].value, hex("03 0000"));
    EXPECT_EQ((*reduced)[2].id, 4);
    EXPECT_EQ((*reduced)[3].id, 280);
}

}  // namespace
