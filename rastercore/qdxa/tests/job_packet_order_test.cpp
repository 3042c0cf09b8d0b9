// The order of a job's packets as the model values choose it, the failures of the job start and
// the closing packets, and one whole job read back from the captured stream.
#include "qdxa/job_packet_order.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <utility>

#include "qdxa/attribute_values.h"
#include "qdxa_test_support.h"

namespace {

using namespace qdxatest;
using Lines = std::vector<std::string>;

Lines concat(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

const Lines kJobStart = {"JobStart", "SetJob 8", "SetJob 4", "SetJob 6", "SetJob 9"};
const Lines kBinderAndDocument = {"BinderStart", "SetBinder 2007", "DocumentStart"};
const Lines kDocumentValues = {"SetDocument 46", "SetDocument 2007", "SetDocument 2042"};
const Lines kMedia = {"SetDocument 2158", "SetDocument 2029", "SetDocument 2214"};
// A job on a model without job start 2, cutting or detail media.
const Lines kPlainJob = concat({kJobStart, kBinderAndDocument, kDocumentValues, kMedia});

struct OrderCase {
    const char* name;
    std::function<void(Record&)> setUp;
    Lines packets;
};

TEST(JobStartPackets, OrderFollowsTheModelValues) {
    const OrderCase cases[] = {
        {"job start with its attributes", [](Record&) {}, kPlainJob},
        {"job start 2 with copies, creator and group",
         [](Record& r) {
             r.model().JobStart2 = 1;
             r.model().Copies = 1;
             r.model().GroupID = 1;
         },
         concat({{"JobStart2", "SetJob 2007", "ExecuteMethod 0x4011", "ExecuteMethod 0x4018"},
                 kBinderAndDocument,
                 kDocumentValues,
                 kMedia})},
        {"job start 2 alone", [](Record& r) { r.model().JobStart2 = 1; },
         concat(
             {{"JobStart2", "ExecuteMethod 0x4011"}, kBinderAndDocument, kDocumentValues, kMedia})},
        {"panel message with text", [](Record& r) { r.info->panelMessage.length = 1; },
         concat({kJobStart, kBinderAndDocument, {"SetDocument 2140"}, kDocumentValues, kMedia})},
        {"cutting type always",
         [](Record& r) { r.model().CuttingType_MarkerColorantDryingType = 1; },
         concat({kJobStart, kBinderAndDocument, kDocumentValues, {"SetDocument 2217"}, kMedia})},
        {"cutting type on roll paper",
         [](Record& r) {
             r.model().CuttingType_MarkerColorantDryingType = 2;
             r.info->paperSource = 0x0200;
         },
         concat({kJobStart, kBinderAndDocument, kDocumentValues, {"SetDocument 2217"}, kMedia})},
        {"no cutting type on sheets",
         [](Record& r) {
             r.model().CuttingType_MarkerColorantDryingType = 2;
             r.info->paperSource = 0x0001;
         },
         kPlainJob},
        {"detail media only",
         [](Record& r) { r.model().Optimize_Nup_OnePassPrint_DetailMediaInfo = 2; },
         concat(
             {kJobStart, kBinderAndDocument, kDocumentValues, kMedia, {"ExecuteMethod 0x4006"}})},
        {"optimise group without the optional members",
         [](Record& r) {
             r.model().Optimize_Nup_OnePassPrint_DetailMediaInfo = 1;
             r.info->calibration = 0;
         },
         concat({kPlainJob,
                 {"SetDocument 2343", "SetDocument 2229", "SetDocument 2355",
                  "ExecuteMethod 0x4006"}})},
        {"optimise group with every member",
         [](Record& r) {
             r.model().Optimize_Nup_OnePassPrint_DetailMediaInfo = 1;
             r.model().BorderlessPrint_RollWidth = 1;
             r.model().MediaCalibration = 1;
             r.model().PathMode = 2;
             r.info->calibration = 0;
             r.info->pathMode = 8;
         },
         concat({kPlainJob,
                 {"SetDocument 2343", "SetDocument 2229", "SetDocument 2355", "SetDocument 2409",
                  "SetDocument 2410", "ExecuteMethod 0x4006", "ExecuteMethod 0x400B",
                  "ExecuteMethod 0x4014"}})},
        {"calibration off, path mode not the model's",
         [](Record& r) {
             r.model().Optimize_Nup_OnePassPrint_DetailMediaInfo = 1;
             r.model().MediaCalibration = 1;
             r.model().PathMode = 2;
             r.info->calibration = 3;
             r.info->pathMode = 1;
         },
         concat({kPlainJob,
                 {"SetDocument 2343", "SetDocument 2229", "SetDocument 2355",
                  "ExecuteMethod 0x4006"}})},
    };
    for (const OrderCase& c : cases) {
        Record record;
        record.info->calibration = 3;
        c.setUp(record);
        EXPECT_EQ(tarn_QDXA_SendJobStartPackets(record.info), 0) << c.name;
        EXPECT_EQ(record.services.summary(), c.packets) << c.name;
    }
}

TEST(JobStartPackets, PathModeRule) {
    const struct {
        std::int32_t printMode;  // model value 44
        std::int32_t pathMode;   // model value 31
        std::uint8_t value;
        bool sent;
    } cases[] = {
        {1, 0, 5, true},  {2, 0, 5, true}, {1, 0, 0, false}, {0, 2, 8, true},
        {0, 2, 1, false}, {0, 1, 1, true}, {0, 1, 8, false}, {0, 0, 8, false},
    };
    for (const auto& c : cases) {
        Record record;
        record.model().Optimize_Nup_OnePassPrint_DetailMediaInfo = 1;
        record.model().PrintMode = c.printMode;
        record.model().PathMode = c.pathMode;
        record.info->pathMode = c.value;
        EXPECT_EQ(tarn_QDXA_SendJobStartPackets(record.info), 0);
        EXPECT_EQ(record.services.summary().back() == "ExecuteMethod 0x4014", c.sent)
            << c.printMode << " " << c.pathMode << " " << int(c.value);
    }
}

TEST(JobStartPackets, FailuresEndTheJobStart) {
    {
        Record record;  // the unsupported cutting value fails after the print quality
        record.model().CuttingType_MarkerColorantDryingType = 3;
        EXPECT_EQ(tarn_QDXA_SendJobStartPackets(record.info), -1);
        EXPECT_EQ(record.services.summary().back(), "SetDocument 2042");
    }
    const struct {
        std::int32_t code;
        std::int32_t result;
    } cases[] = {{rastercore::kResultCancelled, 1100},
                 {rastercore::kTransportFailure, -1},
                 {rastercore::kResultJobNotOpened, -1}};
    for (const auto& c : cases) {
        Record record;
        record.services.failAt = 2;
        record.services.failCode = c.code;
        EXPECT_EQ(tarn_QDXA_SendJobStartPackets(record.info), c.result);
        EXPECT_EQ(record.services.sends.size(), 3u);
    }
    Record record;
    record.info->context = nullptr;
    EXPECT_EQ(tarn_QDXA_SendJobStartPackets(record.info), -1);
    EXPECT_EQ(tarn_QDXA_SendJobStartPackets(nullptr), -1);
    EXPECT_TRUE(record.services.sends.empty());
}

TEST(JobEndPackets, ImpressionsByModelThenJobEnd) {
    const struct {
        std::int32_t impressions;  // model value 32
        Lines packets;
    } cases[] = {
        {2, {"DocumentEnd", "BinderEnd", "SetJob 275", "SetJob 2006", "JobEnd"}},
        {1, {"DocumentEnd", "BinderEnd", "SetJob 2004", "JobEnd"}},
        {0, {"DocumentEnd", "BinderEnd", "JobEnd"}},
    };
    for (const auto& c : cases) {
        Record record;
        record.model().Impressions = c.impressions;
        record.info->octetCount = 4242;
        EXPECT_EQ(tarn_QDXA_SendJobEndPackets(record.info, 3), 0);
        EXPECT_EQ(record.services.summary(), c.packets);
        EXPECT_EQ(record.info->jobEnded, 1);
        const auto packets = record.services.packets();
        if (c.impressions == 2) {
            EXPECT_EQ(qdxastream::setAttribute(packets[2])->value, hex("00000003"));
            EXPECT_EQ(qdxastream::setAttribute(packets[3])->value, hex("00001092"));
        }
        for (std::size_t i = 0; i < packets.size(); ++i) {
            EXPECT_EQ(record.services.sends[i].last, i + 1 == packets.size());
        }
    }
}

TEST(JobEndPackets, WhichFailuresCount) {
    {
        Record record;  // document end and binder end are not checked; the job end is returned
        record.services.failAt = 0;
        record.model().Impressions = 1;
        EXPECT_EQ(tarn_QDXA_SendJobEndPackets(record.info, 1), 0);
        EXPECT_EQ(record.services.sends.size(), 4u);
    }
    {
        Record record;  // a failing 16-bit impression count is ignored
        record.services.failAt = 2;
        record.model().Impressions = 1;
        EXPECT_EQ(tarn_QDXA_SendJobEndPackets(record.info, 1), 0);
    }
    for (const std::size_t failing : {2u, 3u}) {
        // The 32-bit count and the octets must go out; a cancel seen there stays a cancel.
        for (const auto& [code, result] : {std::pair{rastercore::kTransportFailure, -1},
                                           std::pair{rastercore::kResultCancelled, 1100}}) {
            Record record;
            record.services.failAt = failing;
            record.services.failCode = code;
            record.model().Impressions = 2;
            EXPECT_EQ(tarn_QDXA_SendJobEndPackets(record.info, 1), result);
            EXPECT_EQ(record.services.summary().back(),
                      failing == 2 ? "SetJob 275" : "SetJob 2006");
        }
    }
    Record record;
    record.services.failAt = 2;
    record.services.failCode = rastercore::kResultCancelled;
    EXPECT_EQ(tarn_QDXA_SendJobEndPackets(record.info, 1), rastercore::kResultCancelled);
    EXPECT_EQ(tarn_QDXA_SendJobEndPackets(nullptr, 1), -1);
}

TEST(WholeJob, CapturedStreamReadsBackAsOneJob) {
    Record record;
    record.model().JobStart2 = 1;
    record.model().OpenQDXA = 1;
    record.model().Impressions = 2;
    record.model().PrinterSize = 1;
    std::strcpy(record.info->jobNameText, "sunset.tif");
    std::strcpy(record.info->jobIdentifier, "studio");
    ASSERT_EQ(tarn_QDXA_Initialize(&record.context, record.info), 0);
    ASSERT_EQ(tarn_QDXA_SendJobStartPackets(record.info), 0);
    Bytes data(100000);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(i % 253);
    }
    ASSERT_EQ(tarn_QDXA_SendData(record.info, data.data(), 60000, 0, nullptr), 0);
    ASSERT_EQ(tarn_QDXA_SendData(record.info, data.data() + 60000, 40000, 0, nullptr), 0);
    ASSERT_EQ(tarn_QDXA_SendJobEndPackets(record.info, 1), 0);

    const qdxastream::Stream stream = qdxastream::splitPackets(record.services.stream());
    ASSERT_TRUE(stream.ok()) << stream.error;
    EXPECT_EQ(qdxastream::joinedData(stream.packets), data);
    std::uint32_t dataBytes = 0;
    for (const auto& packet : stream.packets) {
        EXPECT_EQ(packet.sequence, 1);
        if (packet.operation == qdxa::kOpSendData) {
            dataBytes += static_cast<std::uint32_t>(qdxa::kHeaderSize + packet.parameters.size());
        }
    }
    EXPECT_EQ(dataBytes, 100000u + 2 * 21);
    const auto& octets = stream.packets[stream.packets.size() - 2];
    EXPECT_EQ(qdxastream::setAttribute(octets)->value, hex("000186CA"));  // 100042
    const auto list = qdxastream::jobStart2Attributes(stream.packets[0]);
    ASSERT_TRUE(list);
    EXPECT_EQ((*list)[2].id, 4);
    const std::string name = "sunset.tif";
    Bytes nameValue = hex("0004 0A");
    nameValue.insert(nameValue.end(), name.begin(), name.end());
    EXPECT_EQ((*list)[2].value, nameValue);
}

}  // namespace
