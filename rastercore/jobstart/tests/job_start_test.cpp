// Job start and end over a recording transport: what must hold before the first packet, the
// buffers a job allocates, the colour tables in the job header, the impressions at the end, and
// the page commands.
#include "jobstart/job_start.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "jobstart/job_buffers.h"
#include "qdxa/tests/qdxa_test_support.h"
#include "rastercore/result_codes.h"
#include "start_job_fixture.h"

namespace {

using namespace jobstarttest;
using qdxatest::Bytes;
using qdxatest::RecordingServices;

TEST(StartJob, NothingIsSentWhenTheModelTheMediaDatabaseOrTheColourModuleRefuses) {
    const struct {
        const char* what;
        std::int32_t medab;
        std::int32_t mediumAnswer;
        std::int32_t colorResult;
    } cases[] = {
        {"media database kind 1", 1, 1, 0},
        {"medium not named", 2, 13010, 0},
        {"colour set-up fails", 2, 1, 13010},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StartJob job;
        job.model().Medab = c.medab;
        job.initializeResult = c.colorResult;
        RecordingServices transport;
        transport.mediumAnswer = c.mediumAnswer;
        EXPECT_EQ(PLG_StartJob(&job.context()), -1);
        EXPECT_TRUE(transport.sends.empty());
    }
    EXPECT_EQ(PLG_StartJob(nullptr), -1);
}

TEST(StartJob, ColourTablesGoIntoTheJobHeaderAndTheCommandBufferHoldsThem) {
    StartJob job;
    job.model().CreateTable = 2;
    RecordingServices transport;
    ASSERT_EQ(PLG_StartJob(&job.context()), 0);
    EXPECT_EQ(job.calls, (std::vector<std::string>{"colorInitialize", "colorOutputColorSpace",
                                                   "colorCreateTable"}));
    const PLGContext& c = job.context();
    EXPECT_EQ(c.cmdInfo->inputColorSpace.id, 18);
    EXPECT_EQ(c.commandBufferSize, kCommandBufferBase + 16 * 3 + kColorTable.size());
    EXPECT_GE(c.commandBufferSize, c.cmdInfo->bandCommandSize);
    EXPECT_EQ(c.colorOutputLineSize, 16u * 3);
    // The header's data carries the table.
    const Bytes data = qdxastream::joinedData(transport.packets());
    EXPECT_NE(std::search(data.begin(), data.end(), kColorTable.begin(), kColorTable.end()),
              data.end());
    EXPECT_EQ(transport.summary().back(), "Data");
}

TEST(StartJob, RefusedTablesAndUnknownOutputSpacesFailAfterTheAnnouncement) {
    for (const bool refusedTables : {true, false}) {
        StartJob job;
        job.model().CreateTable = refusedTables ? 1 : 0;
        if (!refusedTables) {
            job.outputSpace = {22, 3, {8, 8, 8}};
        }
        RecordingServices transport;
        EXPECT_EQ(PLG_StartJob(&job.context()), -1);
        EXPECT_EQ(transport.summary().back(), "SetDocument 2214");  // no begin-job data
    }
}

TEST(StartJob, CancelDuringTheAnnouncementStaysACancel) {
    StartJob job;
    RecordingServices transport;
    transport.failAt = 3;
    transport.failCode = 1100;
    EXPECT_EQ(PLG_StartJob(&job.context()), 1100);
    EXPECT_EQ(transport.sends.size(), 4u);
}

TEST(EndJob, ImpressionsAreTheCopiesMadeOrOneForAPatternSheet) {
    const struct {
        std::uint8_t pattern;
        std::uint16_t copies;
        std::int32_t model;  // Impressions: 1 sends 16 bits, 2 sends 32 bits and the octets
        std::vector<std::string> end;
        std::string impressions;
    } cases[] = {
        {0, 3, 1, {"DocumentEnd", "BinderEnd", "SetJob 2004", "JobEnd"}, "0003"},
        {1, 3, 1, {"DocumentEnd", "BinderEnd", "SetJob 2004", "JobEnd"}, "0001"},
        {0, 2, 2, {"DocumentEnd", "BinderEnd", "SetJob 275", "SetJob 2006", "JobEnd"}, "00000002"},
    };
    for (const auto& c : cases) {
        StartJob job;
        job.model().Impressions = c.model;
        RecordingServices transport;
        ASSERT_EQ(PLG_StartJob(&job.context()), 0);
        job.context().patternPrint = c.pattern;
        job.context().currentCopy = c.copies;
        const std::size_t started = transport.sends.size();
        EXPECT_EQ(PLG_EndJob(&job.context()), 0);
        const auto summary = transport.summary();
        EXPECT_EQ(std::vector<std::string>(summary.begin() + static_cast<long>(started) + 1,
                                           summary.end()),
                  c.end);
        EXPECT_EQ(summary[started], "Data");  // the end-job commands
        EXPECT_EQ(qdxastream::setAttribute(transport.packets()[started + 3])->value,
                  qdxatest::hex(c.impressions));
        EXPECT_TRUE(transport.sends.back().last);
        EXPECT_EQ(job.context().colorOutputLine, nullptr);
    }
    EXPECT_EQ(PLG_EndJob(nullptr), -1);
}

TEST(PageCommands, EachPageIsFramedByItsCommands) {
    StartJob job;
    RecordingServices transport;
    ASSERT_EQ(PLG_StartJob(&job.context()), 0);
    const std::size_t started = transport.sends.size();
    EXPECT_EQ(PLG_StartPage(&job.context()), 0);
    EXPECT_EQ(PLG_EndPage(&job.context()), 0);
    EXPECT_EQ(job.generator.info->pageCounter, 1);
    ASSERT_EQ(transport.sends.size(), started + 2);
    const Bytes begin = qdxastream::joinedData({transport.packets()[started]});
    const Bytes end = qdxastream::joinedData({transport.packets()[started + 1]});
    EXPECT_EQ(begin, job.generator.run(tarn_Cmd_BeginPage));
    EXPECT_EQ(end, job.generator.run(tarn_Cmd_EndPage));

    transport.failAt = transport.sends.size();
    EXPECT_EQ(PLG_StartPage(&job.context()), 14000);
    transport.failAt = transport.sends.size();
    EXPECT_EQ(PLG_EndPage(&job.context()), -1);
    job.context().modelTable.PrinterSize = 2;  // a family the generator refuses
    EXPECT_EQ(PLG_StartPage(&job.context()), 12040);
    EXPECT_EQ(PLG_StartPage(nullptr), -1);
}

TEST(JobBuffers, ColourRowBytesByOutputSpace) {
    const struct {
        TARNColorSpace space;
        std::uint32_t width;
        std::optional<std::uint32_t> bytes;
    } cases[] = {
        {{18, 3, {8, 8, 8}}, 10, 30},
        {{18, 3, {16, 16, 16}}, 10, 60},
        {{19, 1, {0, 0, 0, 0, 0, 0, 8}}, 7, 7},
        {{21, 3, {10, 10, 10}}, 3, 12},              // 90 bits, rounded once
        {{2, 4, {0, 0, 0, 10, 10, 10, 10}}, 3, 16},  // four planes of 30 bits, each rounded
        {{37, 1, {0, 0, 0, 0, 0, 0, 12}}, 3, 5},
        {{0, 3, {8, 8, 8}}, 10, std::nullopt},
        {{22, 3, {8, 8, 8}}, 10, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(colorRowBytes(c.space, c.width), c.bytes) << c.space.id;
    }
}

}  // namespace
