// Print colour set-up: what the job's colour values make, the hint the framework gets, the eight
// header tables by halftone method and colour mode, the output colour space, the dispatch of rows,
// and every error path with a framework or the media database missing or lacking a function.
#include "color/tarn_color.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "color/color_codes.h"
#include "color/color_frameworks.h"
#include "color/color_tables.h"
#include "color/framework_objects.h"
#include "color/standard_profiles.h"
#include "color_job.h"
#include "command/cmd_info.h"
#include "record/tarn_rect.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"
#include "tonara2/tonara2.h"
#include "util/tests/refusing_allocator.h"

namespace {

using colortest::ColorJob;
using colortest::kDitherMedium;
using colortest::kErrorDiffusionMedium;

std::uint32_t sourceFormOf(Color_Info& info, const void* object) {
    const auto query = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_query_preproc_hint);
    std::uint32_t source = 0, destination = 0;
    return query != nullptr && query(object, &source, &destination) == 0 ? source : 0;
}

// The framework copy under the lacking root that lacks `function`.
std::unique_ptr<cf::Bundle> lackingBundle(const std::string& function, const char* framework) {
    return cf::Bundle::open(std::string(COLOR_LACKING_ROOT) + "/" + function +
                            "/Orvane/TARN/Frameworks/" + framework);
}

struct Blocks {
    GeneralDataBlock block[kGeneralDataBlocks]{};
    ~Blocks() { tarn_Color_ReleseTable(block); }
    std::vector<bool> filled() const {
        std::vector<bool> result;
        for (const GeneralDataBlock& b : block) {
            result.push_back(b.length != 0 && b.data != nullptr);
        }
        return result;
    }
};

TEST(TarnColor, OtherColourProcessingKindsBindAndMakeNothingElse) {
    ColorJob job;
    job.context.modelTable.Medab = 1;
    job.info->currentAdjust.brightness = 10;
    job.info->matching = 1;
    ASSERT_EQ(job.initialize(), 0);
    EXPECT_NE(job.info->mediaBundle, nullptr);
    EXPECT_NE(job.info->colorBundle, nullptr);
    EXPECT_EQ(job.info->preprocObject, nullptr);
    EXPECT_EQ(job.info->csc1Object, nullptr);
    EXPECT_EQ(job.info->colorSyncReady, 0);
}

TEST(TarnColor, HintLowBitsFollowTheOutputDepth) {
    EXPECT_EQ(hintForDepth(0x20, kOutput8Bit), 0x24u);
    EXPECT_EQ(hintForDepth(0x23, kOutput10Bit), 0x27u);
    EXPECT_EQ(hintForDepth(0x25, kOutput12Bit), 0x27u);
    // The framework makes 8-bit objects for 8-bit output, 16-bit ones for 10 and 12-bit output.
    for (const std::uint8_t depth : {kOutput8Bit, kOutput10Bit, kOutput12Bit}) {
        ColorJob job;
        job.info->outputDepth = depth;
        job.info->currentAdjust.saturation = 5;
        ASSERT_EQ(job.initialize(), 0) << +depth;
        EXPECT_EQ(sourceFormOf(*job.info, job.info->preprocObject) & 0xFF,
                  depth == kOutput8Bit ? 1u : 2u)
            << +depth;
    }
}

TEST(TarnColor, WhatAJobNeedsIsWhatItGets) {
    struct Case {
        const char* name;
        std::int32_t colorMode;
        void (*adjust)(ColorJob&);
        bool preproc, monochrome, csc1;
    };
    std::vector<std::uint16_t> curve(kToneCurveEntries, 1000);
    static std::uint16_t* curveTable = nullptr;
    curveTable = curve.data();
    const Case cases[] = {
        {"plain colour", 1, [](ColorJob&) {}, false, false, true},
        {"contrast", 1, [](ColorJob& j) { j.info->currentAdjust.contrast = -3; }, true, false,
         true},
        {"white fog", 1, [](ColorJob& j) { j.info->currentAdjust.whiteFog = 2; }, true, false,
         true},
        {"tone curve alone", 1, [](ColorJob& j) { j.info->toneCurveTables[1] = curveTable; }, true,
         false, true},
        {"fixed RGB", 2, [](ColorJob&) {}, false, false, false},
        {"monochrome", 3, [](ColorJob&) {}, false, true, true},
        {"monochrome, model without conversion", 3,
         [](ColorJob& j) { j.context.modelTable.Create_CSC1_AUTO_MONO = 1; }, false, true, false},
        {"monochrome in one grey plane", 3,
         [](ColorJob& j) { j.context.modelTable.TNR2_T_RGB_Y = 1; }, false, true, false},
    };
    for (const Case& c : cases) {
        ColorJob job;
        job.embedProfile(color::standardProfilePath(color::StandardProfile::Srgb));
        job.info->colorMode = c.colorMode;
        c.adjust(job);
        ASSERT_EQ(job.initialize(), 0) << c.name;
        EXPECT_EQ(job.info->preprocObject != nullptr, c.preproc) << c.name;
        EXPECT_EQ(job.info->preprocNeeded != 0, c.preproc || c.monochrome) << c.name;
        EXPECT_EQ(job.info->monochromeObject != nullptr, c.monochrome) << c.name;
        EXPECT_EQ(job.info->csc1Object != nullptr, c.csc1) << c.name;
        job.info->toneCurveTables[1] = nullptr;
    }
}

TEST(TarnColor, PatternCellsGetTheirOwnObjects) {
    for (const std::int32_t mode : {kColorModeColor, kColorModeMonochromePhoto}) {
        ColorJob job;
        job.embedProfile(color::standardProfilePath(color::StandardProfile::Srgb));
        job.info->colorMode = mode;
        job.patternCells(3, 2);
        ASSERT_EQ(job.initialize(), 0);
        for (const ColorAdjustEntry& cell : job.entries) {
            EXPECT_EQ(cell.preprocObject != nullptr, mode == kColorModeColor);
            EXPECT_EQ(cell.monochromeObject != nullptr, mode == kColorModeMonochromePhoto);
        }
        // The job's monochrome object (for the caption) besides the cells'.
        EXPECT_EQ(job.info->monochromeObject != nullptr, mode == kColorModeMonochromePhoto);
        EXPECT_EQ(job.info->preprocObject, nullptr);
    }
}

TEST(TarnColor, TablesFollowTheHalftoneMethodAndTheColourMode) {
    struct Case {
        const char* name;
        std::int16_t medium;
        std::uint8_t depth;
        std::int32_t colorMode;
        std::int32_t inputGammaModel, monochromePhotoModel;
        std::vector<bool> filled;  // blocks 0 ... 7
    };
    const Case cases[] = {
        {"error diffusion, 8-bit",
         kErrorDiffusionMedium,
         kOutput8Bit,
         1,
         0,
         0,
         {true, true, false, true, false, true, true, true}},
        {"dither, 16-bit",
         kDitherMedium,
         kOutput12Bit,
         1,
         0,
         0,
         {false, true, false, true, true, false, false, true}},
        {"input gamma by the model at 10 bits",
         kDitherMedium,
         kOutput10Bit,
         1,
         1,
         0,
         {true, true, false, true, true, false, false, true}},
        {"monochrome, generated grey table",
         kErrorDiffusionMedium,
         kOutput12Bit,
         3,
         0,
         1,
         {false, false, true, true, false, true, true, true}},
        {"monochrome, plain curve",
         kErrorDiffusionMedium,
         kOutput12Bit,
         3,
         0,
         0,
         {false, true, false, true, false, true, true, true}},
    };
    for (const Case& c : cases) {
        ColorJob job(c.medium);
        job.embedProfile(color::standardProfilePath(color::StandardProfile::Srgb));
        job.info->outputDepth = c.depth;
        job.info->colorMode = c.colorMode;
        job.context.modelTable.IngammaTbl_bit = c.inputGammaModel;
        job.context.modelTable.h_mono_photo = c.monochromePhotoModel;
        ASSERT_EQ(job.initialize(), 0) << c.name;
        Blocks blocks;
        ASSERT_EQ(tarn_Color_CreateTable_ForMXXXR(job.info, blocks.block), 0) << c.name;
        EXPECT_EQ(blocks.filled(), c.filled) << c.name;
        tarn_Color_ReleseTable(blocks.block);
        EXPECT_EQ(blocks.filled(), std::vector<bool>(kGeneralDataBlocks, false)) << c.name;
    }
}

TEST(TarnColor, GeneratedGreyTablesFollowTheJobThenEachCell) {
    ColorJob job;
    job.embedProfile(color::standardProfilePath(color::StandardProfile::Srgb));
    job.info->colorMode = kColorModeMonochromePhoto;
    job.info->outputDepth = kOutput12Bit;
    job.context.modelTable.h_mono_photo = 1;
    job.patternCells(2, 2);
    ASSERT_EQ(job.initialize(), 0);
    Blocks blocks;
    ASSERT_EQ(tarn_Color_CreateTable_ForMXXXR(job.info, blocks.block), 0);
    // Five records of 4 + 2 x 256 bytes: the job's (kind 0), then the four cells' (kind 1).
    const GeneralDataBlock& table = blocks.block[2];
    constexpr std::uint32_t kRecord = 4 + 2 * 256;
    ASSERT_EQ(table.length, 5 * kRecord);
    for (std::uint32_t record = 0; record < 5; ++record) {
        EXPECT_EQ(table.data[record * kRecord], record == 0 ? 0 : 1) << record;
    }
}

TEST(TarnColor, OutputColourSpaceByKind) {
    struct Case {
        std::int32_t kind, colorMode, greyPlane;
        std::uint8_t depth;
        std::int32_t result, planes;
        std::vector<int> slots;  // slots holding the sample depth
    };
    const Case cases[] = {
        {2, 1, 0, kOutput8Bit, 0, 3, {0, 1, 2}}, {2, 3, 1, kOutput10Bit, 0, 3, {0, 1, 2}},
        {4, 3, 1, kOutput8Bit, 0, 1, {6}},       {4, 3, 1, kOutput12Bit, 0, 1, {6}},
        {4, 1, 1, kOutput8Bit, 0, 3, {0, 1, 2}}, {4, 3, 0, kOutput12Bit, 0, 3, {0, 1, 2}},
        {1, 1, 0, kOutput8Bit, -1, 99, {}},      {3, 1, 0, kOutput8Bit, -1, 99, {}},
        {7, 1, 0, kOutput8Bit, 0, 99, {}},
    };
    for (const Case& c : cases) {
        ColorJob job;
        job.context.modelTable.OutputColorSpace = c.kind;
        job.context.modelTable.TNR2_T_RGB_Y = c.greyPlane;
        job.info->colorMode = c.colorMode;
        job.info->outputDepth = c.depth;
        TARNColorSpace space{0, 99, {}};
        EXPECT_EQ(tarn_Color_GetInfo_OutputColorSpece(job.info, &space), c.result) << c.kind;
        EXPECT_EQ(space.planeCount, c.planes) << c.kind;
        const std::uint8_t bits = c.depth == kOutput8Bit ? 8 : 16;
        for (int slot = 0; slot < kColorSpaceSlots; ++slot) {
            const bool used = std::find(c.slots.begin(), c.slots.end(), slot) != c.slots.end();
            EXPECT_EQ(space.depth[slot], used ? bits : 0) << c.kind << " slot " << slot;
        }
        if (!c.slots.empty()) {
            EXPECT_EQ(space.id, 18);
        }
    }
    TARNColorSpace space{};
    EXPECT_EQ(tarn_Color_GetInfo_OutputColorSpece(nullptr, &space), colorcode::kBadArgument);
}

TEST(TarnColor, RowsAreDispatchedByTheBandProcessingKind) {
    ColorJob job;
    ASSERT_EQ(job.initialize(), 0);
    std::uint8_t source[6] = {1, 2, 3, 4, 5, 6};
    TARNRect rect{0, 0, 1, 2};
    for (const std::int32_t kind : {1, 2, 3, 0, 9}) {
        job.context.modelTable.Tonara = kind;
        std::uint8_t destination[6] = {};
        const std::int32_t result =
            tarn_Color_ColorProcessing(job.info, source, &rect, destination);
        EXPECT_EQ(result, kind == 1 || kind == 2 ? -1 : 0) << kind;
        // Only the family's own processing writes the row (here through the conversion).
        EXPECT_EQ(destination[0] != 0, kind == 3) << kind;
        std::uint8_t caption[6] = {};
        EXPECT_EQ(tarn_Color_ColorProcessing_For_Caption(job.info, source, &rect, caption),
                  kind == 1 || kind == 2 ? -1 : 0);
    }
    EXPECT_EQ(tarn_Color_ColorProcessing(nullptr, source, &rect, source), -1);
}

TEST(TarnColor, TerminateFreesEverythingAndTheRecord) {
    auto job = std::make_unique<ColorJob>();
    job->embedProfile(color::standardProfilePath(color::StandardProfile::Srgb));
    job->info->currentAdjust.brightness = 4;
    job->info->matching = 1;
    ASSERT_EQ(job->initialize(), 0);
    EXPECT_EQ(job->info->colorSyncReady, 1);
    EXPECT_EQ(tarn_Color_Terminate(job->info), 0);
    EXPECT_EQ(job->context.colorInfo, nullptr);
    job->info = nullptr;  // the leak checker sees anything left behind
}

// The error codes of the set-up and the tables when a framework or the media database is
// missing, or lacks the function a step needs.
TEST(TarnColorErrors, FrameworksThatCannotBeOpened) {
    testsupport::TemporaryFolder nowhere;
    testsupport::ScopedVariable root("STRATOLINE_ROOT", nowhere.path().c_str());
    ColorJob job;
    EXPECT_EQ(tarn_Color_Initialize_ForMXXXR(job.info, job.database.data()),
              colorcode::kBadArgument);
    EXPECT_EQ(tarn_Color_Initialize_ForMXXXR(nullptr, nullptr), colorcode::kBadArgument);
    Blocks blocks;
    EXPECT_EQ(tarn_Color_CreateTable_ForMXXXR(nullptr, blocks.block), colorcode::kBadArgument);
}

TEST(TarnColorErrors, MediaDatabaseMissing) {
    struct Case {
        const char* name;
        bool adjusted;
        std::uint8_t depth;
        std::int32_t initialize, tables;
    };
    const Case cases[] = {
        {"pre-processing", true, kOutput8Bit, colorcode::kFrameworkObject,
         colorcode::kInputGamma.noTable},
        {"conversion", false, kOutput12Bit, colorcode::kCsc1NoTable, colorcode::kCsc2.noTable},
    };
    for (const Case& c : cases) {
        ColorJob job;
        job.info->outputDepth = c.depth;
        job.info->currentAdjust.contrast = c.adjusted ? 5 : 0;
        EXPECT_EQ(tarn_Color_Initialize_ForMXXXR(job.info, nullptr), c.initialize) << c.name;
        Blocks blocks;
        EXPECT_EQ(tarn_Color_CreateTable_ForMXXXR(job.info, blocks.block), c.tables) << c.name;
    }
}

// Every allocation of the table fetch failing in turn gives its table's memory code; the tables
// fetched before it are released with the others (the leak checker sees them). Once every
// allocation is granted, the fetch passes.
TEST(TarnColorErrors, EachTableAllocationFailingInTurnGivesItsMemoryCode) {
    const std::set<std::int32_t> memoryCodes = {
        colorcode::kInputGamma.tableMemory, colorcode::kInputGamma.partMemory,
        colorcode::kCsc2.tableMemory,       colorcode::kOutputGamma.tableMemory,
        colorcode::kOutputGamma.partMemory, colorcode::kDither.tableMemory};
    std::set<std::int32_t> seen;
    for (const std::int16_t medium : {kErrorDiffusionMedium, kDitherMedium}) {
        for (int failAt = 0;; ++failAt) {
            ColorJob job(medium);
            job.embedProfile(color::standardProfilePath(color::StandardProfile::Srgb));
            ASSERT_EQ(job.initialize(), 0);
            Blocks blocks;
            std::int32_t result = 0;
            bool refused = false;
            {
                const RefusingAllocator allocator(failAt);
                result = tarn_Color_CreateTable_ForMXXXR(job.info, blocks.block);
                refused = allocator.refusedOne();
            }
            if (result == 0) {
                EXPECT_FALSE(refused);
                break;
            }
            EXPECT_EQ(memoryCodes.count(result), 1u)
                << "allocation " << failAt << " gave " << result;
            seen.insert(result);
        }
    }
    EXPECT_EQ(seen, memoryCodes);
}

// Every allocation of the colour set-up failing in turn is out of memory, for a job with
// pre-processing, matching and a conversion object; but folding the stages into one lattice is an
// optimisation: when the fold lacks memory, the job runs its stages. Once every allocation is
// granted, it passes and folds.
TEST(TarnColorErrors, EachSetUpAllocationFailingInTurnIsOutOfMemory) {
    std::set<std::int32_t> seen;
    for (int failAt = 0;; ++failAt) {
        ColorJob job;
        job.embedProfile(color::standardProfilePath(color::StandardProfile::Srgb));
        job.info->currentAdjust.contrast = 5;
        std::int32_t result = 0;
        bool refused = false;
        {
            const RefusingAllocator allocator(failAt);
            result = job.initialize();
            refused = allocator.refusedOne();
        }
        if (!refused) {
            EXPECT_EQ(result, 0);
            EXPECT_NE(job.info->pathLattice, nullptr);
            break;
        }
        if (result == 0) {
            EXPECT_EQ(job.info->pathLattice, nullptr) << "allocation " << failAt;
            continue;
        }
        seen.insert(result);
    }
    EXPECT_EQ(seen, std::set<std::int32_t>{colorcode::kNoMemory});
}

TEST(TarnColorErrors, MediaDatabaseLackingAFunction) {
    struct Case {
        const char* function;
        std::int16_t medium;
        std::uint8_t depth;
        std::int32_t expected;
        bool table;  // a table error, else a set-up error
    };
    const Case cases[] = {
        {"mdb3PreprocHint", kErrorDiffusionMedium, kOutput8Bit, colorcode::kFrameworkObject, false},
        {"mdb3TableCSC1", kErrorDiffusionMedium, kOutput8Bit, colorcode::kCsc1NoTable, false},
        {"mdb3InputGamma", kErrorDiffusionMedium, kOutput8Bit, colorcode::kInputGamma.noTable,
         true},
        {"mdb3TableCSC2", kErrorDiffusionMedium, kOutput8Bit, colorcode::kCsc2.noTable, true},
        {"mdb3TableOutputGamma", kErrorDiffusionMedium, kOutput8Bit,
         colorcode::kOutputGamma.noTable, true},
        {"mdb3HalftoneHint", kErrorDiffusionMedium, kOutput8Bit, colorcode::kNoHalftone, true},
        {"mdb3DitherParam", kDitherMedium, kOutput8Bit, colorcode::kDither.noTable, true},
        {"mdb3EDTable", kErrorDiffusionMedium, kOutput8Bit, colorcode::kErrorDiffusion.noTable,
         true},
        {"mdb3ResolutionConv", kErrorDiffusionMedium, kOutput8Bit,
         colorcode::kResolutionConversion.noTable, true},
        {"mdb3TableIndexData", kErrorDiffusionMedium, kOutput8Bit, colorcode::kIndexData.noTable,
         true},
    };
    for (const Case& c : cases) {
        ColorJob job(c.medium);
        job.info->outputDepth = c.depth;
        job.info->currentAdjust.contrast = 5;
        ASSERT_EQ(bindColorFrameworks(*job.info), 0);
        delete job.info->mediaBundle;
        job.info->mediaBundle = lackingBundle(c.function, "medab2.framework").release();
        ASSERT_NE(job.info->mediaBundle, nullptr) << c.function;
        job.info->mediaDatabase = job.database.data();
        if (c.table) {
            Blocks blocks;
            EXPECT_EQ(tarn_Color_CreateTable_ForMXXXR(job.info, blocks.block), c.expected)
                << c.function;
        } else {
            const std::int32_t result = std::string(c.function) == "mdb3TableCSC1"
                                            ? createCsc1Object(*job.info)
                                            : createPreprocObjects(*job.info);
            EXPECT_EQ(result, c.expected) << c.function;
        }
    }
}

TEST(TarnColorErrors, ColourFrameworkLackingAFunction) {
    struct Case {
        const char* function;
        std::int32_t colorMode;
        std::int32_t expected;
        int step;  // 0 pre-processing objects, 1 conversion, 2 tables
    };
    const Case cases[] = {
        {"tnr2_create_preproc2", 1, colorcode::kFrameworkObject, 0},
        {"tnr2_create_csc1", 1, colorcode::kCsc1Failed, 1},
        {"tnr2_log", 1, colorcode::kCsc1Failed, 1},
        {"tnr2_log", 1, colorcode::kInputGamma.cutFailed, 2},
        {"tnr2_gen_monochrome_table2", 3, colorcode::kCsc2.cutFailed, 2},
    };
    for (const Case& c : cases) {
        ColorJob job;
        job.embedProfile(color::standardProfilePath(color::StandardProfile::Srgb));
        job.info->colorMode = c.colorMode;
        job.context.modelTable.h_mono_photo = 1;
        ASSERT_EQ(job.initialize(), 0) << c.function;
        tarn_Color_Terminate_ForMXXXR(job.info);
        job.info->monochromeObject = nullptr;
        delete job.info->colorBundle;
        job.info->colorBundle = lackingBundle(c.function, "tonara2.framework").release();
        ASSERT_NE(job.info->colorBundle, nullptr) << c.function;
        std::int32_t result = 0;
        if (c.step == 0) {
            result = createPreprocObjects(*job.info);
        } else if (c.step == 1) {
            result = createCsc1Object(*job.info);
        } else {
            // The monochrome object the generated table needs, made by the lacking copy.
            if (c.colorMode == kColorModeMonochromePhoto) {
                ASSERT_EQ(createPreprocObjects(*job.info), 0);
            }
            Blocks blocks;
            result = tarn_Color_CreateTable_ForMXXXR(job.info, blocks.block);
        }
        EXPECT_EQ(result, c.expected) << c.function << " step " << c.step;
    }
}

}  // namespace
