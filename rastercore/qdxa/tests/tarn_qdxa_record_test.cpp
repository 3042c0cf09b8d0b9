// The packet record's life: the values derived before the first packet, the checks that refuse a
// record, the media database's answer, and the release of the record.
#include <gtest/gtest.h>

#include <cstring>

#include "qdxa/tarn_qdxa.h"
#include "qdxa_test_support.h"
#include "util/memory.h"

namespace {

using namespace qdxatest;

TEST(TarnQdxaInitialize, RefusesMissingArgumentsAndOtherMediaDatabases) {
    Record record;
    EXPECT_EQ(tarn_QDXA_Initialize(nullptr, record.info), rastercore::kPacketBadArgument);
    EXPECT_EQ(tarn_QDXA_Initialize(&record.context, nullptr), rastercore::kPacketBadArgument);
    for (const std::int32_t medab : {0, 1, 3}) {
        record.model().Medab = medab;
        EXPECT_EQ(tarn_QDXA_Initialize(&record.context, record.info), 10000);
    }
    EXPECT_EQ(record.services.mediumCalls, 0);
}

TEST(TarnQdxaInitialize, FixedValues) {
    Record record;
    record.info->copies = 4;
    record.info->octetCount = 99;
    EXPECT_EQ(tarn_QDXA_Initialize(&record.context, record.info), 0);
    const QDXA_Info& info = *record.info;
    EXPECT_EQ(info.documentFormat.format, 123);
    EXPECT_EQ(info.documentFormat.first.length, 0);
    EXPECT_EQ(info.documentFormat.second.length, 0);
    EXPECT_EQ(info.binderCopies, 1);
    EXPECT_EQ(info.documentCopies, 1);
    EXPECT_EQ(info.jobCopies, 1);
    EXPECT_EQ(info.nUp, 2);
    EXPECT_EQ(info.colorMode, 1);
    EXPECT_EQ(info.octetCount, 0u);
    EXPECT_EQ(info.impressions, 0u);
    EXPECT_EQ(info.context, &record.context);
    EXPECT_EQ(record.services.mediumCalls, 1);
    EXPECT_EQ(info.medium.paperSize, 19);
    EXPECT_EQ(info.mediumTypeEx.mediaType, 0x0102);

    record.model().HDD = 1;  // storing models announce the job's own copies
    CoreCommonInfoTbl jobRecord{};
    jobRecord.colorMode = 3;  // monochrome photo
    record.context.jobRecord = &jobRecord;
    tarn_QDXA_Initialize(&record.context, record.info);
    EXPECT_EQ(record.info->jobCopies, 4);
    EXPECT_EQ(record.info->colorMode, 2);
}

TEST(TarnQdxaInitialize, PrintQualityAndOptimise) {
    const std::pair<std::int32_t, std::uint8_t> qualities[] = {
        {1, 1}, {4, 3}, {2, 2}, {3, 2}, {0, 2}};
    for (const auto& [method, quality] : qualities) {
        Record record;
        record.info->printMethod = method;
        tarn_QDXA_Initialize(&record.context, record.info);
        EXPECT_EQ(record.info->printQuality, quality) << method;
    }
    const struct {
        std::int32_t printMode;  // model value 44
        std::int32_t vgm;        // model value 30
        std::uint8_t flag;
        std::uint8_t optimize;
    } cases[] = {{1, 0, 0, 6}, {2, 1, 1, 6}, {0, 1, 1, 3}, {0, 1, 0, 2}, {0, 0, 1, 2}};
    for (const auto& c : cases) {
        Record record;
        record.model().PrintMode = c.printMode;
        record.model().VGM = c.vgm;
        record.info->optimizeFlag = c.flag;
        record.info->optimizeMode = 6;
        tarn_QDXA_Initialize(&record.context, record.info);
        EXPECT_EQ(record.info->optimize, c.optimize) << c.printMode << c.vgm << int(c.flag);
    }
}

TEST(TarnQdxaInitialize, TextsTraysAndLargeFormatValues) {
    Record record;
    record.model().PrinterSize = 1;
    record.model().Tray_Array_Priority = 2;
    std::strcpy(record.info->jobNameText, "A long document name of forty bytes....");
    std::strcpy(record.info->ownerText, "Owner");
    std::strcpy(record.info->panelMessageText, "Panel");
    std::strcpy(record.info->jobIdentifier, "studio");
    record.info->paperSource = 0x0100;  // a roll
    record.info->cuttingChoice = 2;
    std::memset(record.info->mediaDetailChoices, 255, kMediaDetailChoiceCount);
    record.info->mediaDetailChoices[0] = 2;
    EXPECT_EQ(tarn_QDXA_Initialize(&record.context, record.info), 0);
    const QDXA_Info& info = *record.info;
    EXPECT_EQ(info.jobName.length, 32);
    EXPECT_EQ(info.owner.length, 5);
    EXPECT_EQ(info.panelMessage.length, 5);
    EXPECT_EQ(info.identifierOnClient.length, 6);
    EXPECT_NE(info.submissionTime.date, 0u);
    EXPECT_EQ(info.trayArray.entries[0].trayCode, 201);
    EXPECT_EQ(info.cuttingType, 1);
    EXPECT_EQ(info.detailMedia.count, 1);
    EXPECT_EQ(info.jobStart2.printKind, 0);  // job start 2 values only for model value 5

    record.model().OpenQDXA = 1;
    tarn_QDXA_Initialize(&record.context, record.info);
    EXPECT_EQ(record.info->jobStart2.printKind, 3);
    EXPECT_EQ(record.info->jobStart2.clientJobRecord[32], 's');
}

TEST(TarnQdxaInitialize, SheetsWithoutCuttingAndOtherPrinterClasses) {
    Record record;
    record.model().PrinterSize = 1;
    record.info->paperSource = 0x0001;
    record.info->cuttingChoice = 2;
    tarn_QDXA_Initialize(&record.context, record.info);
    EXPECT_EQ(record.info->cuttingType, 0);
    record.model().CuttingType_MarkerColorantDryingType = 1;
    tarn_QDXA_Initialize(&record.context, record.info);
    EXPECT_EQ(record.info->cuttingType, 1);

    Record other;  // not a large-format printer: neither cutting nor detail media
    other.info->paperSource = 0x0100;
    other.info->mediaDetailChoices[0] = 3;
    tarn_QDXA_Initialize(&other.context, other.info);
    EXPECT_EQ(other.info->cuttingType, 0);
    EXPECT_EQ(other.info->detailMedia.count, 0);
}

TEST(TarnQdxaInitialize, MediaDatabaseFailureIsTheResult) {
    for (const std::int32_t answer : {-1, rastercore::kMediaDbNotOpened}) {
        Record record;
        record.services.mediumAnswer = answer;
        EXPECT_EQ(tarn_QDXA_Initialize(&record.context, record.info), answer);
    }
    Record record;
    // The core's own services: a context without its colour and command records names no
    // medium.
    const seam::ScopedOverride core(qdxaServices(), qdxaServices().production());
    EXPECT_EQ(tarn_QDXA_Initialize(&record.context, record.info), rastercore::kResultFailure);
}

TEST(TarnQdxaTerminate, ReleasesTheRecordAfterItsPackets) {
    EXPECT_EQ(tarn_QDXA_Terminate(nullptr), rastercore::kPacketBadArgument);
    PLGContext context{};
    RecordingServices services;
    QDXA_Info* info = nullptr;
    ASSERT_EQ(Get_MemoryClear(1, sizeof(QDXA_Info), kUnusedKind, &info), 0);
    info->context = &context;
    context.qdxaInfo = info;
    EXPECT_EQ(tarn_QDXA_BinderEnd(info, nullptr, 0, nullptr), 0);
    EXPECT_EQ(tarn_QDXA_Terminate(info), 0);  // the sanitizer reports any leak
    EXPECT_EQ(context.qdxaInfo, nullptr);
}

}  // namespace
