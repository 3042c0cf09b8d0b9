// The packet writers: the exact bytes of every packet kind, the argument checks, the transport's
// results, the cut of long data pieces and the octet count of what the transport took.
#include "qdxa/packet_writer.h"

#include <gtest/gtest.h>

#include <functional>

#include "qdxa_test_support.h"

namespace {

using namespace qdxatest;
using rastercore::kPacketBadArgument;

// Header of a request without reply: magic, version, flags 0, then operation and length.
const std::string kPlain = "CDCA1000";

struct Golden {
    const char* name;
    std::function<std::int32_t(QDXA_Info*)> write;
    std::string bytes;
    bool last = false;
};

TEST(PacketWriter, GoldenBytesOfEveryPacketKind) {
    const Bytes value = {0x00, 0x02};
    const Bytes data = {0xAA, 0xBB, 0xCC};
    const QDXA_Attribute copies{2007, value.data(), 2};
    const Golden cases[] = {
        {"job start", [](QDXA_Info* i) { return QDXA_JobStart(i, 0, 0, 0, 0, 1, 0, 0); },
         kPlain + "0011 0001 000D 00000000 00000000 0000  00000000 01 00000000 00000000"},
        {"job start asking a reply, with identifiers",
         [](QDXA_Info* i) {
             return QDXA_JobStart(i, 1, 0x01020304, 0xA0B0C0D0, 0x11223344, 7, 5, 6);
         },
         "CDCA1004 0011 0001 000D 01020304 A0B0C0D0 0000  11223344 07 00000005 00000006"},
        {"job start 2", [&](QDXA_Info* i) { return QDXA_JobStart2(i, 0, 0, 0, 1, data.data(), 3); },
         kPlain + "006B 0001 0005 00000000 00000000 0000  0001 AABBCC"},
        {"set job", [&](QDXA_Info* i) { return QDXA_SetJob(i, 0, 0, 0, copies); },
         kPlain + "0012 0001 0004 00000000 00000000 0000  07D7 0002"},
        {"job end", [](QDXA_Info* i) { return QDXA_JobEnd(i, 0, 0, 0, 0); },
         kPlain + "0013 0001 0001 00000000 00000000 0000  00", true},
        {"binder start", [](QDXA_Info* i) { return QDXA_BinderStart(i, 0, 0, 0, 0); },
         kPlain + "0014 0001 0004 00000000 00000000 0000  00000000"},
        {"set binder", [&](QDXA_Info* i) { return QDXA_SetBinder(i, 0, 0, 0, copies); },
         kPlain + "0015 0001 0004 00000000 00000000 0000  07D7 0002"},
        {"binder end", [](QDXA_Info* i) { return QDXA_BinderEnd(i, 0, 0, 0); },
         kPlain + "0016 0001 0000 00000000 00000000 0000"},
        {"document start", [](QDXA_Info* i) { return QDXA_DocumentStart(i, 0, 0, 0, 0x10); },
         kPlain + "0017 0001 0004 00000000 00000000 0000  00000010"},
        {"set document", [&](QDXA_Info* i) { return QDXA_SetDocument(i, 0, 0, 0, copies); },
         kPlain + "0018 0001 0004 00000000 00000000 0000  07D7 0002"},
        {"document end", [](QDXA_Info* i) { return QDXA_DocumentEnd(i, 0, 0, 0); },
         kPlain + "0019 0001 0000 00000000 00000000 0000"},
        {"last data piece",
         [&](QDXA_Info* i) {
             QDXA_DataPiece piece{1, 0, data.data(), 3};
             return QDXA_Send(i, 0, 0, 0, &piece);
         },
         kPlain + "001A 0001 0004 00000000 00000000 0000  01 AABBCC"},
        {"continued data piece",
         [&](QDXA_Info* i) {
             QDXA_DataPiece piece{1, kQdxaContinued, data.data(), 3};
             return QDXA_Send(i, 1, 0, 0, &piece);
         },
         "CDCA1002 001A 0001 0004 00000000 00000000 0000  01 AABBCC"},
        {"last data piece asking a reply",
         [&](QDXA_Info* i) {
             QDXA_DataPiece piece{1, 0, data.data(), 1};
             return QDXA_Send(i, 1, 0, 0, &piece);
         },
         "CDCA1004 001A 0001 0002 00000000 00000000 0000  01 AA"},
        {"detail media method",
         [&](QDXA_Info* i) { return QDXA_SetExcuteMethod(i, 0, 0, 0, data.data(), 3); },
         kPlain + "001D 0001 0009 00000000 00000000 0000  00000000 4006 AABBCC"},
        {"calibration method",
         [&](QDXA_Info* i) { return QDXA_SetExcuteMethod_Calibration(i, 0, 0, 0, data.data(), 1); },
         kPlain + "001D 0001 0007 00000000 00000000 0000  00000000 400B AA"},
        {"creator id method",
         [&](QDXA_Info* i) { return QDXA_SetExecuteMethod_CreatorID(i, 0, 0, 0, data.data(), 2); },
         kPlain + "001D 0001 0008 00000000 00000000 0000  00000000 4011 AABB"},
        {"group id method",
         [&](QDXA_Info* i) { return QDXA_SetExcuteMethod_GroupID(i, 0, 0, 0, value.data(), 2); },
         kPlain + "001D 0001 0008 00000000 00000000 0000  00000000 4018 0002"},
        {"path mode method",
         [&](QDXA_Info* i) { return QDXA_SetExcuteMethod_PathMode(i, 0, 0, 0, data.data(), 1); },
         kPlain + "001D 0001 0007 00000000 00000000 0000  00000000 4014 AA"},
        {"attribute query", [](QDXA_Info* i) { return QDXA_Get(i, 0, 0, 0, 601, 2029); },
         kPlain + "0004 0001 0006 00000000 00000000 0000  00000259 07ED"},
    };
    for (const Golden& c : cases) {
        Record record;
        EXPECT_EQ(c.write(record.info), 0) << c.name;
        ASSERT_EQ(record.services.sends.size(), 1u) << c.name;
        EXPECT_EQ(record.services.sends[0].bytes, hex(c.bytes)) << c.name;
        EXPECT_EQ(record.services.sends[0].last, c.last) << c.name;
    }
}

TEST(PacketWriter, MissingOrUnfittingArgumentsSendNothing) {
    const Bytes big(65534, 0x55);  // with its id, one byte past the 16-bit parameter length
    const Bytes fits(65533, 0x55);
    const std::uint8_t one = 1;
    const std::function<std::int32_t(QDXA_Info*)> refused[] = {
        [](QDXA_Info*) { return QDXA_JobStart(nullptr, 0, 0, 0, 0, 1, 0, 0); },
        [](QDXA_Info*) { return QDXA_JobEnd(nullptr, 0, 0, 0, 0); },
        [](QDXA_Info*) { return QDXA_BinderEnd(nullptr, 0, 0, 0); },
        [](QDXA_Info*) { return QDXA_DocumentStart(nullptr, 0, 0, 0, 0); },
        [&](QDXA_Info*) {
            return QDXA_SetJob(nullptr, 0, 0, 0, {4, &one, 1});
        },
        [](QDXA_Info* i) {
            return QDXA_SetJob(i, 0, 0, 0, {4, nullptr, 1});
        },
        [&](QDXA_Info* i) {
            return QDXA_SetDocument(i, 0, 0, 0, {4, &one, 0});
        },
        [&](QDXA_Info* i) {
            return QDXA_SetBinder(i, 0, 0, 0,
                                  {4, big.data(), static_cast<std::uint32_t>(big.size())});
        },
        [](QDXA_Info* i) { return QDXA_JobStart2(i, 0, 0, 0, 0, nullptr, 0); },
        [&](QDXA_Info* i) { return QDXA_SetExcuteMethod_PathMode(i, 0, 0, 0, &one, 0); },
        [](QDXA_Info* i) { return QDXA_Send(i, 0, 0, 0, nullptr); },
        [&](QDXA_Info* i) {
            QDXA_DataPiece empty{1, 0, &one, 0};
            return QDXA_Send(i, 0, 0, 0, &empty);
        },
        [](QDXA_Info*) { return QDXA_Get(nullptr, 0, 0, 0, 1, 2); },
    };
    for (std::size_t i = 0; i < std::size(refused); ++i) {
        Record record;
        EXPECT_EQ(refused[i](record.info), kPacketBadArgument) << "case " << i;
        EXPECT_TRUE(record.services.sends.empty()) << "case " << i;
        EXPECT_EQ(record.info->octetCount, 0u) << "case " << i;
    }
    Record record;
    EXPECT_EQ(QDXA_SetJob(record.info, 0, 0, 0,
                          {4, fits.data(), static_cast<std::uint32_t>(fits.size())}),
              0);
    ASSERT_EQ(record.services.sends.size(), 1u);
    EXPECT_EQ(record.services.sends[0].bytes.size(), 20u + 65535u);
}

TEST(PacketWriter, TransportResultsPassThrough) {
    for (const std::int32_t code : {rastercore::kResultCancelled, rastercore::kTransportFailure,
                                    rastercore::kResultJobNotOpened}) {
        Record record;
        record.services.failAt = 0;
        record.services.failCode = code;
        EXPECT_EQ(QDXA_BinderStart(record.info, 0, 0, 0, 0), code);
        EXPECT_EQ(QDXA_JobEnd(record.info, 0, 0, 0, 0), 0);
        EXPECT_EQ(record.services.sends.size(), 2u);
    }
}

TEST(PacketWriter, WithoutTheJobTransportNothingCountsAsSent) {
    Record record;
    // The core's own services, which have no job transport yet.
    const seam::ScopedOverride core(qdxaServices(), qdxaServices().production());
    const std::uint8_t byte = 0x42;
    QDXA_DataPiece piece{1, 0, &byte, 1};
    EXPECT_EQ(QDXA_Send(record.info, 0, 0, 0, &piece), rastercore::kTransportFailure);
    EXPECT_EQ(QDXA_DocumentEnd(record.info, 0, 0, 0), rastercore::kTransportFailure);
    EXPECT_EQ(record.info->octetCount, 0u);
}

TEST(PacketWriter, LongPieceIsCutAndItsLengthWrittenBack) {
    Record record;
    const Bytes data(70000, 0x11);
    QDXA_DataPiece piece{1, 0, data.data(), static_cast<std::uint32_t>(data.size())};
    EXPECT_EQ(QDXA_Send(record.info, 0, 0, 0, &piece), 0);
    EXPECT_EQ(piece.length, kQdxaMaxDataPiece);
    const auto packets = record.services.packets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].parameters.size(), 65516u);
    EXPECT_EQ(record.info->octetCount, 65536u);
}

TEST(PacketWriter, OctetCountHoldsTheBytesTheTransportTook) {
    const Bytes data(1000, 0x22);
    const struct {
        const char* name;
        std::uint32_t leave;
        std::optional<std::size_t> failAt;
        std::uint32_t octets;
    } cases[] = {
        {"all taken", 0, std::nullopt, 2 * 1021},
        {"21 bytes of each left", 21, std::nullopt, 2 * 1000},
        {"second refused without taking", 0, 1, 1021},
    };
    for (const auto& c : cases) {
        Record record;
        record.services.leave = c.leave;
        record.services.failAt = c.failAt;
        for (int i = 0; i < 2; ++i) {
            QDXA_DataPiece piece{1, 0, data.data(), 1000};
            QDXA_Send(record.info, 0, 0, 0, &piece);
        }
        EXPECT_EQ(record.info->octetCount, c.octets) << c.name;
    }
}

}  // namespace
