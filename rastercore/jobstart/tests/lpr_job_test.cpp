// A whole job frame over LPR to the test printer through the real device library: the printer
// receives exactly the packets the core wrote, in the order of job start, pages and job end, for
// models with and without job start 2. The medium comes from the real media database.
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>

#include "jobstart/job_start.h"
#include "mediadb/media_database.h"
#include "qdxa/qdxa_services.h"
#include "qdxa_stream/qdxa_stream.h"
#include "start_job_fixture.h"
#include "transport/job_transport.h"
#include "transport/printer_address.h"
#include "transport/tests/model_printer.h"

namespace {

using namespace jobstarttest;
using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

/// Passes every packet on to the core's transport and keeps a copy of the bytes it took.
class TappedTransport {
  public:
    TappedTransport() {
        services_.jobSend = [this](QDXA_Info* info, std::span<const std::uint8_t> header,
                                   std::span<const std::uint8_t> payload, bool last,
                                   std::uint32_t* untaken) {
            const std::int32_t result =
                qdxaServices().production().jobSend(info, header, payload, last, untaken);
            EXPECT_EQ(*untaken, 0u);
            written.insert(written.end(), header.begin(), header.end());
            written.insert(written.end(), payload.begin(), payload.end());
            return result;
        };
    }
    std::vector<std::uint8_t> written;

  private:
    QDXA_Services services_ = qdxaServices().production();
    seam::ScopedOverride<QDXA_Services> override_{qdxaServices(), services_};
};

Lines summary(const std::vector<qdxastream::Packet>& packets) {
    Lines lines;
    for (const qdxastream::Packet& packet : packets) {
        std::string line = qdxastream::operationName(packet.operation);
        if (const auto attribute = qdxastream::setAttribute(packet)) {
            line += " " + std::to_string(attribute->id);
        } else if (const auto call = qdxastream::methodCall(packet)) {
            char method[8];
            std::snprintf(method, sizeof method, " 0x%04X", call->method);
            line += method;
        }
        lines.push_back(line);
    }
    return lines;
}

Lines concat(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

const Lines kDocument = {"BinderStart",      "SetBinder 2007",   "DocumentStart",
                         "SetDocument 2140", "SetDocument 46",   "SetDocument 2007",
                         "SetDocument 2042", "SetDocument 2158", "SetDocument 2029",
                         "SetDocument 2214"};
// Begin job, begin page, end page, end job, then the closing packets.
const Lines kDataAndEnd = {"Data", "Data", "Data", "Data", "DocumentEnd", "BinderEnd"};

struct FrameCase {
    const char* name;
    std::int32_t jobStart2;
    Lines packets;
};

class LprJob : public ::testing::TestWithParam<FrameCase> {};

TEST_P(LprJob, ThePrinterReceivesExactlyThePacketsTheCoreWrote) {
    const FrameCase& c = GetParam();
    transporttest::DeviceEnvironment environment;
    transporttest::ModelPrinter model;
    ASSERT_TRUE(model.printer->start()) << model.printer->error();

    StartJob job;
    PLGContext& context = job.context();
    context.modelTable.JobStart2 = c.jobStart2;
    context.modelTable.OpenQDXA = c.jobStart2;
    context.modelTable.Copies = c.jobStart2;
    context.modelTable.GroupID = c.jobStart2;
    context.modelTable.Impressions = c.jobStart2 == 1 ? 2 : 1;
    const unsigned char database[] = "\016MDB_SL7000.mdb";
    ASSERT_EQ(OpenMediaDB_ForMXXXR(database, &context.mediaDatabase, 0), 1);
    job.color.mediumID = 102;
    ASSERT_EQ(PLG_Get_PrinterAddress("WQS_LPR", model.printer->address().c_str(), nullptr,
                                     &job.info->printerAddress),
              0);

    TappedTransport tap;
    ASSERT_EQ(PLG_IOS_JobOpen(job.info), 0);
    EXPECT_EQ(PLG_StartJob(&context), 0);
    EXPECT_EQ(PLG_StartPage(&context), 0);
    EXPECT_EQ(PLG_EndPage(&context), 0);
    context.currentCopy = 1;
    EXPECT_EQ(PLG_EndJob(&context), 0);
    PLG_IOS_JobClose(job.info, false);
    EXPECT_EQ(job.info->jobHandle, nullptr);
    PLG_Dispose_PrinterAddress(job.info->printerAddress);
    CloseMediaDB(context.mediaDatabase);
    context.mediaDatabase = nullptr;

    ASSERT_TRUE(model.printer->waitForJobs(1, 10s));
    const testsupport::PrinterJob received = model.printer->jobs().at(0);
    EXPECT_EQ(received.kind, testsupport::PrinterJob::Kind::kLpr);
    ASSERT_EQ(received.data.size(), tap.written.size());
    EXPECT_TRUE(std::equal(tap.written.begin(), tap.written.end(),
                           reinterpret_cast<const std::uint8_t*>(received.data.data())));
    const qdxastream::Stream stream = qdxastream::splitPackets(std::span(
        reinterpret_cast<const std::uint8_t*>(received.data.data()), received.data.size()));
    ASSERT_TRUE(stream.ok()) << stream.error;
    EXPECT_EQ(summary(stream.packets), c.packets);
    // The medium of the media database: id byte 1, marker 254, kind 1 with its QDXA id 36.
    for (const qdxastream::Packet& packet : stream.packets) {
        const auto attribute = qdxastream::setAttribute(packet);
        if (attribute && attribute->id == 2029) {
            EXPECT_EQ(attribute->value.size(), 13u);
            EXPECT_EQ(attribute->value[0], 1);
            EXPECT_EQ(attribute->value[1], 254);
        }
        if (attribute && attribute->id == 2214) {
            EXPECT_EQ(attribute->value, (std::vector<std::uint8_t>{1, 0, 36}));
        }
    }
    EXPECT_EQ(stream.packets.back().flags, 0);
}

INSTANTIATE_TEST_SUITE_P(
    ModelsJobStart, LprJob,
    ::testing::Values(
        FrameCase{"JobStart", 0,
                  concat({{"JobStart", "SetJob 8", "SetJob 4", "SetJob 6", "SetJob 9"},
                          kDocument,
                          kDataAndEnd,
                          {"SetJob 2004", "JobEnd"}})},
        FrameCase{
            "JobStart2", 1,
            concat({{"JobStart2", "SetJob 2007", "ExecuteMethod 0x4011", "ExecuteMethod 0x4018"},
                    kDocument,
                    kDataAndEnd,
                    {"SetJob 275", "SetJob 2006", "JobEnd"}})}),
    [](const ::testing::TestParamInfo<FrameCase>& info) { return std::string(info.param.name); });

}  // namespace
