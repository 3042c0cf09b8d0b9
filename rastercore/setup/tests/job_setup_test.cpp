// The job set-up and tear-down on a real media database and device library: what a job's
// context holds after the set-up, the record fields the core writes back, every failure with its
// code (each allocation and each host call failing in turn) and the tear-down after it.
#include "setup/job_setup.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "caption/pattern_caption_areas.h"
#include "color/profile.h"
#include "command/cmd_info.h"
#include "pattern/pattern_layout.h"
#include "rastercore/result_codes.h"
#include "record/color_info.h"
#include "record/result_table.h"
#include "setup/setup_rules.h"
#include "setup/setup_steps_internal.h"
#include "setup_fixture.h"
#include "support/temporary_folder.h"
#include "test_profiles.h"
#include "transport/transport_calls.h"
#include "util/tests/refusing_allocator.h"

namespace {

using namespace rastercore;
using setuptest::HostCall;
using setuptest::SetupJob;

std::string text(const char* field) {
    return field;
}

TEST(JobSetup, ImageEditorJobOnTheLargeFormatModel) {
    SetupJob job;
    ASSERT_EQ(job.initialize(), kResultOk);
    const PLGContext& c = *job.context;

    // The module records, linked both ways, and the model values.
    ASSERT_NE(c.qdxaInfo, nullptr);
    ASSERT_NE(c.cmdInfo, nullptr);
    ASSERT_NE(c.colorInfo, nullptr);
    EXPECT_EQ(c.qdxaInfo->context, &c);
    EXPECT_EQ(c.cmdInfo->context, &c);
    EXPECT_EQ(c.colorInfo->context, &c);
    EXPECT_EQ(c.jobRecord, &job.table);
    EXPECT_EQ(std::memcmp(&c.modelTable, &job.table.modelAtlas, sizeof c.modelTable), 0);

    // The host image: 120 × 80 at 300 ppi, placed at the corner at its own size.
    ASSERT_NE(c.hostImage, nullptr);
    EXPECT_EQ(c.hostImage->width, 120);
    EXPECT_EQ(c.hostImage->height, 80);
    EXPECT_EQ(c.hostImage->imageName[0], 9);
    EXPECT_EQ(c.hostFetchMode, 0);
    EXPECT_EQ(c.outputResolution[0], 300);
    EXPECT_EQ(c.bitsPerPixel, 24);
    EXPECT_EQ(c.paperWidthDots, 2100 * 300 / 254);
    EXPECT_EQ(c.paperHeightDots, 2970 * 300 / 254);
    EXPECT_EQ(c.imageRect.left, 0);
    EXPECT_EQ(c.imageRect.right, 120);
    EXPECT_EQ(c.imageRect.bottom - c.imageRect.top, 80);
    EXPECT_EQ(c.sourceWidth, 120u);
    EXPECT_EQ(c.sourceHeight, 80u);
    EXPECT_DOUBLE_EQ(c.scale[0], 1.0);
    EXPECT_EQ(c.imageLineWidth, 120u);
    EXPECT_EQ(c.bandLineWidth, 120u);
    EXPECT_EQ(c.lineCount, 80);
    EXPECT_EQ(c.copies, 1);

    // The command record.
    const Cmd_Info& command = *c.cmdInfo;
    EXPECT_EQ(text(command.paperName), "ISO_A4");
    EXPECT_EQ(command.paperOrientation, kOrientationShortEdge);
    EXPECT_EQ(command.paperSourceMask, 512u);
    EXPECT_EQ(command.leftMargin, 50);
    EXPECT_EQ(command.graphicsResolution[0], 300);
    EXPECT_EQ(command.pjlResolution[1], 300);
    EXPECT_EQ(command.imageWidth, 120u);
    EXPECT_EQ(command.bandHeight, 1u);
    EXPECT_EQ(command.drawMode, 1);
    EXPECT_EQ(command.compression, 2);
    EXPECT_EQ(command.outputDepth, 0);
    EXPECT_EQ(command.resampleFilter, 2);
    EXPECT_EQ(command.singleSSC, -1);
    EXPECT_EQ(command.sscAdjustment, 0);
    EXPECT_EQ(command.calibration, 0);

    // The packet record.
    const QDXA_Info& packet = *c.qdxaInfo;
    EXPECT_EQ(text(packet.jobNameText), "photo.tif");
    EXPECT_EQ(text(packet.panelMessageText), "photo.tif");
    EXPECT_EQ(packet.copies, 1);
    EXPECT_EQ(packet.spool, 0);
    EXPECT_EQ(packet.cancelByte, &job.table.cancelRequest);
    EXPECT_EQ(packet.hostType, 1);
    EXPECT_NE(packet.printerAddress, nullptr);
    EXPECT_EQ(packet.borderlessPrint, 3);
    EXPECT_EQ(packet.rollWidth, setup::kRollWidthNone);
    EXPECT_EQ(packet.groupId, 7);  // the SL7000 database's medium type
    EXPECT_EQ(packet.calibration, 3);
    EXPECT_EQ(packet.onePassPrint, 1);

    // The colour record.
    const Color_Info& color = *c.colorInfo;
    EXPECT_EQ(color.colorMode, 1);
    EXPECT_EQ(color.mediumID, 103);
    EXPECT_EQ(color.quality.printMethod, 1);
    EXPECT_EQ(color.mediaDatabase, c.mediaDatabase);
    EXPECT_NE(c.mediaDatabase, nullptr);
    EXPECT_EQ(c.mediaDatabase, +job.table.mediaData);  // print mode 2: the record's own
    EXPECT_EQ(c.mediaDatabaseOpened, 0);
    EXPECT_EQ(color.workingSpace, 2);
    EXPECT_EQ(color.matching, 0);
    EXPECT_EQ(color.adjustEntryCount, 1u);
    EXPECT_EQ(color.patternXCount, 1);

    // The row buffer of 8-bit work.
    EXPECT_EQ(c.depthCode, 1);
    EXPECT_EQ(c.rgbRowSize, 360u);
    EXPECT_NE(c.rgbRow, nullptr);

    EXPECT_EQ(job.terminate(), kResultOk);
}

// Print mode 16 opens the media database by its name for the job, and the tear-down closes it.
TEST(JobSetup, PrintModeSixteenOpensTheDatabaseForTheJob) {
    SetupJob job;
    job.table.printMode = 16;
    job.table.printMode16 = 1;
    job.table.inkImpact = 1;
    ASSERT_EQ(job.initialize(), kResultOk);
    const PLGContext& c = *job.context;
    EXPECT_NE(c.mediaDatabase, nullptr);
    EXPECT_NE(c.mediaDatabase, +job.table.mediaData);
    EXPECT_EQ(c.mediaDatabaseOpened, 1);
    EXPECT_EQ(c.qdxaInfo->pathMode, 1);  // the optimise flag of print mode 16
    EXPECT_EQ(c.qdxaInfo->optimizeMode, 1);
    EXPECT_EQ(c.qdxaInfo->optimizeFlag, 1);
    EXPECT_EQ(job.terminate(), kResultOk);
}

// The fields the core writes into the caller's record.
TEST(JobSetup, WritesTheInputDepthTheModelTakesTheAxisCountsAndTheCropRange) {
    SetupJob job;
    job.table.modelAtlas.IngammaTbl_bit = 0;
    job.table.inputBit = 2;
    job.table.patternXCount = 7;
    job.table.patternYCount = 3;
    ASSERT_EQ(job.initialize(), kResultOk);
    EXPECT_EQ(+job.table.inputBit, 1);
    EXPECT_EQ(+job.table.patternXCount, 1);
    EXPECT_EQ(+job.table.patternYCount, 1);
    EXPECT_EQ(+job.table.cropRange[2], 120u);
    EXPECT_EQ(+job.table.cropRange[3], 80u);
    EXPECT_EQ(job.context->bitsPerPixel, 48);
    EXPECT_EQ(job.context->depthCode, 2);
    EXPECT_EQ(job.context->rgbRowSize, 720u);
    EXPECT_EQ(job.context->cmdInfo->outputDepth, 1);
    EXPECT_EQ(job.context->colorInfo->outputDepth, 1);
}

TEST(JobSetup, BackgroundPrintingSendsOneCopyAndHandsTheCopiesToTheSpooler) {
    SetupJob job;
    job.table.backgroundPrint = 1;
    job.table.copies = 3;
    const std::string longName = std::string(30, 'n') + "\xC3\xA9\xC3\xA9.tif";
    const cf::Value name(longName);
    job.host.documentName = &name;
    ASSERT_EQ(job.initialize(), kResultOk);
    const QDXA_Info& packet = *job.context->qdxaInfo;
    EXPECT_EQ(job.context->copies, 1);
    EXPECT_EQ(packet.copies, 1);
    EXPECT_EQ(packet.spool, 1);
    EXPECT_EQ(packet.spoolCopies, 3);
    // Cut to 32 bytes without splitting the second "é".
    EXPECT_EQ(text(packet.spoolDocumentName), std::string(30, 'n') + "\xC3\xA9");
}

TEST(JobSetup, CaptionBesideTheImageWidensTheBandAndItsLines) {
    SetupJob job;
    const cf::Value caption("No. 12  photo.tif  Studio printer");
    job.table.caption = 1;
    job.table.captionFileName = 1;
    job.table.infoPosition = 1;
    job.table.captionText = &caption;
    job.table.colorMode = 3;
    ASSERT_EQ(job.initialize(), kResultOk);
    const PLGContext& c = *job.context;
    EXPECT_EQ(c.captionFlag, 1);
    EXPECT_EQ(text(c.captionText), "No. 12  photo.tif  Studio printer");
    EXPECT_EQ(c.captionResolution, 300);
    EXPECT_GT(c.captionWidth, 120);
    EXPECT_EQ(c.captionRect.right - c.captionRect.left, c.captionWidth);
    // The image sits below the caption; the lines cover both, the band the wider.
    EXPECT_EQ(c.imageRect.top, c.captionHeight);
    EXPECT_EQ(c.lineCount, c.captionHeight + 80);
    EXPECT_EQ(c.bandLineWidth, static_cast<std::uint32_t>(c.captionRect.right));
    EXPECT_EQ(c.cmdInfo->imageWidth, c.bandLineWidth);
    // Monochrome prints colour their caption through a neutral entry of its own.
    EXPECT_EQ(c.colorInfo->adjustEntryCount, 2u);
    EXPECT_EQ(c.colorInfo->tableCount, 2);
}

TEST(JobSetup, PaperSizesOfUsersAndOfRollsFittedToTheirWidth) {
    {
        SetupJob job;
        job.table.paperSizeID = 30001;
        job.table.paperWidth = 3000;
        job.table.paperHeight = 4000;
        ASSERT_EQ(job.initialize(), kResultOk);
        EXPECT_EQ(text(job.context->cmdInfo->paperName), "CUSTOM");
        EXPECT_EQ(job.context->cmdInfo->paperWidth, 3000);
    }
    {
        SetupJob job;
        job.table.expansionReduction = 1;
        job.table.fitType = 1;
        job.table.rollWidth = 4318;  // 17 inches
        job.table.rollLength = 5000;
        ASSERT_EQ(job.initialize(), kResultOk);
        const PLGContext& c = *job.context;
        EXPECT_EQ(c.paperWidth, 4318);
        EXPECT_EQ(text(c.cmdInfo->paperName), "CUSTOM");
        EXPECT_EQ(c.pageLayoutKind, 4);
        // Fitted to the roll's printable width.
        EXPECT_GT(c.scale[0], 10.0);
        EXPECT_NE(std::string(c.cmdInfo->rollWidth), "");
        EXPECT_EQ(c.qdxaInfo->rollWidth, setup::kRollWidthOtherName);
    }
}

TEST(JobSetup, OptionBytesAndMediaDetailChoicesOfTheRecord) {
    SetupJob job;
    job.table.pageWaitTime = 2;
    job.table.bandWaitTime = 3;
    job.table.paperThick = 4;
    job.table.blurPrevention = 3;
    job.table.sscSetting = 5;
    job.table.inkSystem = 2;
    job.table.forceOneDirection = 1;
    ASSERT_EQ(job.initialize(), kResultOk);
    const PLGContext& c = *job.context;
    EXPECT_EQ(c.optionBytes[0], 2);
    EXPECT_EQ(c.optionBytes[1], 3);
    EXPECT_EQ(c.optionBytes[5], 4);
    EXPECT_EQ(c.optionBytes[3], 0xFF);
    EXPECT_EQ(c.qdxaInfo->mediaDetailChoices[0], 2);
    EXPECT_EQ(c.qdxaInfo->mediaDetailChoices[4], 4);
    EXPECT_EQ(c.qdxaInfo->mediaDetailChoices[5], 0xFF);
    EXPECT_EQ(c.cmdInfo->singleSSC, 4);
    EXPECT_EQ(c.cmdInfo->sscAdjustment, 2);
    EXPECT_EQ(c.cmdInfo->inkType, 1);
    EXPECT_EQ(c.qdxaInfo->onePassPrint, 2);
}

// The codes of set-ups that cannot go on, each followed by a clean tear-down.
TEST(JobSetup, FailuresWithTheirCodes) {
    const struct {
        const char* name;
        std::function<void(SetupJob&)> change;
        std::int32_t result;
    } cases[] = {
        {"no host information record", [](SetupJob& j) { j.table.commonInfo = nullptr; },
         kResultFailure},
        {"media database absent",
         [](SetupJob& j) {
             j.table.printMode = 16;  // print mode 16 opens the database by its name
             j.table.printMode16 = 1;
             std::memcpy(j.table.mediaDatabaseName, "\007MISSING", 8);
         },
         static_cast<std::int32_t>(kPlgNoMemory)},
        {"record's media data absent",
         [](SetupJob& j) {
             CloseMediaDB(j.table.mediaData);
             j.table.mediaData = nullptr;
         },
         static_cast<std::int32_t>(kPlgNoMemory)},
        {"print mode without a rule", [](SetupJob& j) { j.table.printMode = 3; }, -1},
        {"printer without a resolution", [](SetupJob& j) { j.table.modelAtlas.DPIType = 0; },
         kResultHostImage},
        {"image without pixels", [](SetupJob& j) { j.host.imageWidth = 0; }, kResultNothingToPrint},
        {"image without resolution", [](SetupJob& j) { j.host.horizontalResolution = 0; },
         kResultHostImage},
        {"range without a whole pixel",
         [](SetupJob& j) {
             j.table.selRangePrint = 1;
             j.table.clopRect[2] = 1;
             j.table.clopRect[3] = 10;
             j.table.imagePreviewRect[2] = 1000;
             j.table.imagePreviewRect[3] = 80;
         },
         kResultNothingToPrint},
        {"unsupported printer class", [](SetupJob& j) { j.table.modelAtlas.PrinterSize = 2; },
         kFamilyNotSupported},
        {"address refused",
         [](SetupJob& j) { std::strcpy(j.table.connectionTypeName, "AppleTalk"); },
         kResultJobNotOpened},
    };
    for (const auto& c : cases) {
        SetupJob job;
        c.change(job);
        EXPECT_EQ(job.initialize(), c.result) << c.name;
        EXPECT_EQ(job.terminate(), kResultOk) << c.name;
    }
}

TEST(JobSetup, NullArgumentsAndOtherPrinterClasses) {
    SetupJob job;
    CoreCommonInfoTbl* none = nullptr;
    EXPECT_EQ(PLG_Initialize(nullptr, nullptr, job.context), kResultFailure);
    EXPECT_EQ(PLG_Initialize(nullptr, &none, job.context), kResultFailure);
    CoreCommonInfoTbl* record = &job.table;
    EXPECT_EQ(PLG_Initialize(nullptr, &record, nullptr), kResultFailure);
    EXPECT_EQ(PLG_Terminate(nullptr), kResultOk);

    // An unsupported class fails after the colour record is filled; class 0 needs no options.
    job.table.modelAtlas.PrinterSize = 2;
    EXPECT_EQ(job.initialize(), kFamilyNotSupported);
    EXPECT_EQ(job.context->colorInfo->mediumID, 103);
    EXPECT_EQ(job.terminate(), kResultOk);
    SetupJob other;
    other.table.modelAtlas.PrinterSize = 0;
    EXPECT_EQ(other.initialize(), kResultOk);
    EXPECT_EQ(other.context->cmdInfo->singleSSC, -1);
    EXPECT_EQ(other.context->optionBytes[0], 0);
}

// Every allocation of the set-up failing in turn: each is reported as out of memory, and the
// tear-down releases what was made (the leak checker sees the rest).
TEST(JobSetup, EachAllocationFailingInTurnIsOutOfMemory) {
    int failures = 0;
    for (int failAt = 0;; ++failAt) {
        SetupJob job;
        std::int32_t result = 0;
        bool refused = false;
        {
            const RefusingAllocator allocator(failAt);
            result = job.initialize();
            refused = allocator.refusedOne();
        }
        EXPECT_EQ(job.terminate(), kResultOk);
        if (result == kResultOk) {
            EXPECT_FALSE(refused);
            break;
        }
        ++failures;
        EXPECT_EQ(pluginErrorFromResult(result), kPlgNoMemory)
            << "allocation " << failAt << " gave " << result;
    }
    EXPECT_GE(failures, 5);
}

// A printer address of the Bonjour kind is checked unless the job is spooled.
TEST(JobSetup, BonjourPrinterMustAnswerUnlessTheJobIsSpooled) {
    int checks = 0;
    TransportCalls calls = transportCalls().production();
    calls.printerAddressCreate = [](const char*, const char*, const char*, const char*,
                                    void** address) {
        static char token = 0;
        *address = &token;
        return 0u;
    };
    calls.printerAddressDispose = [](void*) { return 0u; };
    calls.adminOpen = [&checks](void**, void*) {
        ++checks;
        return 10501u;
    };
    const seam::ScopedOverride override(transportCalls(), calls);
    for (const std::int32_t background : {0, 1}) {
        SetupJob job;
        std::strcpy(job.table.connectionTypeName, "Rendezvous");
        job.table.backgroundPrint = background;
        EXPECT_EQ(job.initialize(), background != 0 ? kResultOk : kResultJobNotOpened);
    }
    EXPECT_EQ(checks, 1);
}

// The pop-up name field holds the printer's name in its first 256 bytes and the extra text in
// the other 256; a half that fills its bytes without a terminating zero is read to its end and
// no further (the connection type field as well).
TEST(JobSetup, FullNameFieldsAreReadWithinTheirBytes) {
    struct Created {
        std::string kind;
        std::string name;
        std::string extra;
    };
    static Created created;
    TransportCalls calls = transportCalls().production();
    calls.printerAddressCreate = [](const char* kind, const char* name, const char*,
                                    const char* domain, void** address) {
        static char token = 0;
        created = {kind, name, domain != nullptr ? domain : ""};
        *address = &token;
        return 0u;
    };
    calls.printerAddressDispose = [](void*) { return 0u; };
    const seam::ScopedOverride override(transportCalls(), calls);
    const std::string name(256, 'n');
    const std::string extra(256, 'x');
    for (const char* connection : {"WQS_LPR", "AppleTalk"}) {
        SetupJob job;
        std::memset(job.table.connectionTypeName, 0, sizeof job.table.connectionTypeName);
        std::memcpy(job.table.connectionTypeName, connection, std::strlen(connection));
        std::memcpy(job.table.printerPopUpName, name.data(), name.size());
        std::memcpy(job.table.printerPopUpName + name.size(), extra.data(), extra.size());
        ASSERT_EQ(job.initialize(), kResultOk) << connection;
        EXPECT_EQ(created.kind, connection);
        EXPECT_EQ(created.name, name) << connection;
        EXPECT_EQ(created.extra, std::string(connection) == "AppleTalk" ? extra : "");
    }
    // A connection type filling its whole field is no known kind: read within it, and refused
    // by nobody but the device library.
    SetupJob job;
    std::memset(job.table.connectionTypeName, 'c', sizeof job.table.connectionTypeName);
    ASSERT_EQ(job.initialize(), kResultOk);
    EXPECT_EQ(created.kind, std::string(sizeof job.table.connectionTypeName, 'c'));
}

TEST(JobSetup, PhotoApplicationImageCallsInOrderAndTheirRelease) {
    testsupport::TemporaryFolder folder;
    const std::string profile = (folder.path() / "image.icc").string();
    color_test::writeGreyProfile(profile, "lines");
    SetupJob job;
    job.photoApplication(profile);
    job.table.inputBit = 1;
    job.table.printDirection = 1;
    job.table.sharpness = 2;
    job.hostSharpness = 3;
    ASSERT_EQ(job.initialize(), kResultOk);
    const PLGContext& c = *job.context;
    EXPECT_EQ(c.hostTypeFlag, 1);
    EXPECT_EQ(c.hostFetchMode, 1);
    EXPECT_EQ(c.hostImage->depth, 16);
    EXPECT_EQ(c.cmdInfo->sharpenLevel, 5);
    // Turned: the rows are the source's columns, 80 pixels long, three of them for sharpening.
    EXPECT_EQ(c.hostTransferSize, 9u * 2 * 80);
    EXPECT_EQ(c.hostImage->rowBytes, 3 * 2 * 80);
    ASSERT_NE(c.colorInfo->sourceProfileUrl, nullptr);
    EXPECT_EQ(*c.colorInfo->sourceProfileUrl->string(), "file://" + profile);
    const std::vector<HostCall> expected = {{"count", {}},
                                            {"describe", {1}},
                                            {"open", {1, 2}},
                                            {"allocate", {9 * 2 * 80}},
                                            {"define", {0, 0, 120, 80}},
                                            {"turn", {1}}};
    EXPECT_EQ(job.calls, expected);
    job.calls.clear();
    EXPECT_EQ(job.terminate(), kResultOk);
    EXPECT_EQ(job.calls, (std::vector<HostCall>{{"free", {1}}, {"close", {1}}}));
}

TEST(JobSetup, PhotoApplicationRefusalsAreHostImageFailures) {
    testsupport::TemporaryFolder folder;
    const std::string profile = (folder.path() / "image.icc").string();
    color_test::writeGreyProfile(profile, "lines");
    for (const char* refused : {"count", "describe", "open", "allocate", "define", "turn"}) {
        SetupJob job;
        job.photoApplication(profile);
        job.table.printDirection = 1;
        job.refuse = refused;
        EXPECT_EQ(job.initialize(), kResultHostImage) << refused;
        EXPECT_EQ(job.terminate(), kResultOk) << refused;
    }
    for (const char* refused : {"free", "close"}) {
        SetupJob job;
        job.photoApplication(profile);
        job.refuse = refused;
        ASSERT_EQ(job.initialize(), kResultOk);
        EXPECT_EQ(job.terminate(), kResultHostImage) << refused;
        EXPECT_EQ(job.calls.back().name, "close") << refused;
    }
    SetupJob wrongSize;
    wrongSize.photoApplication(profile);
    wrongSize.answeredWidth = 119;
    EXPECT_EQ(wrongSize.initialize(), kResultHostImage);
    SetupJob noProfile;
    noProfile.photoApplication((folder.path() / "missing.icc").string());
    EXPECT_EQ(noProfile.initialize(), kResultHostImage);
}

TEST(JobSetup, AdobeRgbProfileSearchStopsAtTheFirstAdobeRgbDisplayProfile) {
    testsupport::TemporaryFolder folder;
    const auto grey = folder.path() / "grey.icc";
    color_test::writeGreyProfile(grey, "Adobe RGB (1998)");
    Color_Info color{};
    const auto srgb = color::Profile::openPath(color_test::kSrgb);
    const auto adobe = color::Profile::openPath(color_test::kRgb1998);
    const auto greyProfile = color::Profile::openPath(grey);
    ASSERT_TRUE(srgb && adobe && greyProfile);
    EXPECT_TRUE(Plg_AdobeProfileSearch_Iterate(*srgb, color_test::kSrgb, &color));
    EXPECT_TRUE(Plg_AdobeProfileSearch_Iterate(*greyProfile, grey, &color));
    EXPECT_EQ(color.adobeRgbProfileFound, 0);
    EXPECT_FALSE(Plg_AdobeProfileSearch_Iterate(*adobe, color_test::kRgb1998, &color));
    EXPECT_EQ(color.adobeRgbProfileFound, 1);
}

}  // namespace

namespace {

// A test-pattern job takes the sheet's settings into the record; a sheet of an image with no
// size fails the set-up with the layout's status.
TEST(JobSetup, PatternJobTakesTheSheetsSettings) {
    SetupJob job;
    job.table.patternPrint = 1;
    job.table.copies = 4;
    job.table.noFrame = 1;
    job.table.caption = 1;
    job.table.patternPaperSource = 128;
    job.table.patternPaperSizeID = 1;
    job.table.patternRotation = 2;
    job.table.patternUseSelection = 1;
    job.table.patternXCount = 3;
    job.table.patternYCount = 2;
    job.table.jobOutputMethod = 2;
    EXPECT_EQ(job.initialize(), kPatternEmptyRect);
    const CoreCommonInfoTbl& t = job.table;
    EXPECT_EQ(+t.copies, 1);
    EXPECT_EQ(+t.noFrame, 0);
    EXPECT_EQ(+t.caption, 0);
    EXPECT_EQ(+t.paperSource, 128);
    EXPECT_EQ(+t.paperSizeID, 1);
    EXPECT_EQ(+t.jobOutputMethod, 0);
    EXPECT_EQ(+t.printLayout, 1);
    EXPECT_EQ(+t.rollLayout, 5);
    EXPECT_EQ(+t.printDirection, 1);
    EXPECT_EQ(+t.selRangePrint, 1);
    EXPECT_EQ(job.context->patternPrint, 1);
    EXPECT_EQ(job.context->colorInfo->patternPrint, 1);
    EXPECT_EQ(job.context->colorInfo->adjustEntryCount, 6u);
    EXPECT_EQ(job.terminate(), kResultOk);
}

// The sheet's caption areas get blank bitmaps of their sizes; the tear-down frees them all.
TEST(JobSetup, PatternCaptionAreasGetBlankBitmapsAndAreReleased) {
    SetupJob job;
    PLGContext& c = *job.context;
    c.depthCode = 2;  // 16-bit work: 6 bytes a pixel
    c.patternPrint = 1;
    PatternCaptionAreas* areas = nullptr;
    ASSERT_EQ(Get_MemoryClear(1, sizeof(PatternCaptionAreas), kUnusedKind, &areas), 0);
    c.patternCaptionAreas = areas;
    areas->xTitle = {40, 10, nullptr};
    areas->basicSettings = {0, 10, nullptr};  // empty: no bitmap
    areas->xScaleCount = 2;
    ASSERT_EQ(Get_MemoryClear(2, sizeof(PatternScaleArea), kUnusedKind, &areas->xScales), 0);
    areas->xScales[1].area = {5, 4, nullptr};
    areas->cellCount = 1;
    ASSERT_EQ(Get_MemoryClear(1, sizeof(PatternCellCaptions), kUnusedKind, &areas->cells), 0);
    areas->cells[0].outside = {3, 3, nullptr};
    ASSERT_EQ(setup::allocatePatternCaptionBitmaps(c), kResultOk);
    ASSERT_NE(areas->xTitle.bitmap, nullptr);
    EXPECT_EQ(areas->basicSettings.bitmap, nullptr);
    EXPECT_EQ(areas->xScales[0].area.bitmap, nullptr);
    ASSERT_NE(areas->xScales[1].area.bitmap, nullptr);
    ASSERT_NE(areas->cells[0].outside.bitmap, nullptr);
    for (int i = 0; i < 40 * 10 * 6; ++i) {
        ASSERT_EQ(areas->xTitle.bitmap[i], 0xFF) << i;
    }
    EXPECT_EQ(areas->cells[0].outside.bitmap[3 * 3 * 6 - 1], 0xFF);
    EXPECT_EQ(job.terminate(), kResultOk);  // the leak checker sees what is left
}

}  // namespace
