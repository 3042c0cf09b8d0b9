// The generator's front: the whole stream of a one-band job, set-up, dispatch checks and the
// band checks.
#include "command/tarn_cmd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <string>

#include "command/image_sequence.h"
#include "generator_fixture.h"
#include "rastercore/result_codes.h"

namespace {

using commandtest::Bytes;
using commandtest::GeneratorFixture;
using commandtest::text;
using commandtest::operator+;
using rastercore::kCommandBadArgument;
using rastercore::kFamilyNotSupported;

using Operation = std::int32_t (*)(Cmd_Info*, std::uint8_t*, std::uint32_t, std::uint32_t*);
const Operation kOperations[] = {tarn_Cmd_BeginJob, tarn_Cmd_BeginPage, tarn_Cmd_BeginImage,
                                 tarn_Cmd_EndImage, tarn_Cmd_EndPage,   tarn_Cmd_EndJob};

TEST(CommandGenerator, OneBandJobStreamByteForByte) {
    static const std::uint8_t tableB[] = {'B'};
    static const std::uint8_t tableF[] = {'F', 'F'};
    static const std::uint8_t tableG[] = {'G', 'G', 'G'};
    static const std::uint8_t tableH[] = {'H'};
    GeneratorFixture f;
    f.info->imageWidth = 4;
    f.info->imageX = 100;
    f.info->imageY = 200;
    f.info->topMargin = 30;
    f.info->centering = 1;
    f.info->generalData[1] = {1, tableB};
    f.info->generalData[5] = {2, tableF};
    f.info->generalData[6] = {3, tableG};
    f.info->generalData[7] = {1, tableH};
    ASSERT_EQ(tarn_Cmd_Initialize(f.info), 0);

    // One row: R = 1 1 1 2, G = 5 6 7 8, B = 9 9 9 9.
    const Bytes pixels = {1, 5, 9, 1, 6, 9, 1, 7, 9, 2, 8, 9};
    const Bytes stream = f.run(tarn_Cmd_BeginJob) + f.run(tarn_Cmd_BeginPage) +
                         f.run(tarn_Cmd_BeginImage) + f.band(pixels, 4, 1) +
                         f.run(tarn_Cmd_EndImage) + f.run(tarn_Cmd_EndPage) +
                         f.run(tarn_Cmd_EndJob);
    const Bytes expected =
        text(
            "\x1B%-12345X@PJL\n@PJL RESET\n"
            "@PJL SET HRESOLUTION=1200\n@PJL SET VRESOLUTION=1200\n@PJL SET PAPER=ISO_A4\n"
            "@PJL SET PAPERORIENT=SHORTEDGE\n@PJL SET TOPMARGIN=30\n@PJL SET BOTTOMMARGIN=0\n"
            "@PJL SET LEFTMARGIN=0\n@PJL SET RIGHTMARGIN=0\n@PJL SET SAVE_PAPER=OFF\n"
            "@PJL SET BANNER=OFF\n@PJL SET CUTMEDIA_CENTER=1\n"
            "\x1B%0A"
            "\x1B$b1WB\x1B$b3WGGG\x1B$b2WFF\x1B$b1WH"
            "\x1B"
            "E"
            "\x1B&a1N"
            "\x1B*p100x200Y\x1B*t600R\x1B*v6W") +
        Bytes{2, 3, 0, 8, 8, 8} + text("\x1B*r1A\x1B*b2M\x1B*b4V") + Bytes{0xFE, 1, 0, 2} +
        text("\x1B*b5V") + Bytes{3, 5, 6, 7, 8} + text("\x1B*b2W") + Bytes{0xFD, 9} +
        text(
            "\x1B*rC"
            "\x1B"
            "E"
            "\x1B%-12345X");
    EXPECT_EQ(std::string(stream.begin(), stream.end()),
              std::string(expected.begin(), expected.end()));
}

TEST(CommandGenerator, DrawModeZeroAddsResolutionsAndBandEnd) {
    GeneratorFixture f;
    f.info->drawMode = 0;
    f.info->graphicsResolution[1] = 300;
    f.info->imageY = -1;  // no cursor move
    f.info->outputDepth = kDepth10;
    ASSERT_EQ(tarn_Cmd_Initialize(f.info), 0);
    EXPECT_EQ(f.run(tarn_Cmd_BeginPage), text("\x1B&a0N"));
    EXPECT_EQ(f.run(tarn_Cmd_BeginImage), text("\x1B*t600R\x1B$r600X\x1B$r300Y\x1B*v6W") +
                                              Bytes({2, 3, 0, 10, 10, 10}) + text("\x1B*r1A"));
    EXPECT_EQ(f.run(tarn_Cmd_EndImage), text("\x1B*rC\x1B*r0C"));
}

TEST(CommandGenerator, InitializeMapsCompressionAndDerivesTheOutputSpace) {
    const struct {
        std::int32_t choice;
        std::int32_t compression;
    } choices[] = {{0, 0}, {1, 2}, {2, 3}, {3, 2}, {4, 2}, {5, 0}, {6, 0}, {-1, 0}};
    for (const auto& c : choices) {
        GeneratorFixture f;
        f.info->compression = c.choice;
        ASSERT_EQ(tarn_Cmd_Initialize(f.info), 0);
        EXPECT_EQ(f.info->compression, c.compression) << c.choice;
        EXPECT_EQ(f.info->seedStores[0].bytes != nullptr, c.compression == kCompSeedRow);
    }

    const struct {
        int components;
        std::int32_t depth;
        TARNColorSpace space;
    } spaces[] = {
        {3, kDepth10, {2, 3, {10, 10, 10}}},
        {4, kDepth12, {3, 4, {0, 0, 0, 12, 12, 12, 12}}},
        {1, kDepth8, {2, 1, {0, 0, 0, 0, 0, 0, 8}}},
    };
    for (const auto& s : spaces) {
        GeneratorFixture f;
        f.setInput(s.components, 16);
        f.info->outputDepth = s.depth;
        ASSERT_EQ(tarn_Cmd_Initialize(f.info), 0);
        TARNColorSpace out{};
        ASSERT_EQ(tarn_Cmd_GetInfo_OutputColorSpece(f.info, &out), 0);
        EXPECT_EQ(out.id, s.space.id);
        EXPECT_EQ(out.planeCount, s.space.planeCount);
        const Bytes depths(out.depth, out.depth + kColorSpaceSlots);
        const Bytes expected(s.space.depth, s.space.depth + kColorSpaceSlots);
        EXPECT_EQ(depths, expected);
        for (int p = 0; p < s.components; ++p) {
            EXPECT_NE(f.info->seedStores[p].bytes, nullptr);
            EXPECT_EQ(f.info->seedStores[p].length, 0u);
        }
        EXPECT_EQ(f.info->seedStores[s.components].bytes, nullptr);
    }
    // Three 10-bit planes of 16 pixels: 20 bytes, a multiple of 5 already; 17 pixels: 25.
    GeneratorFixture f;
    f.info->outputDepth = kDepth10;
    f.info->imageWidth = 17;
    ASSERT_EQ(tarn_Cmd_Initialize(f.info), 0);
    EXPECT_EQ(f.info->seedStores[2].capacity, 25u);
}

TEST(CommandGenerator, InitializeRefusesBadJobs) {
    const struct {
        const char* what;
        std::function<void(GeneratorFixture&)> set;
        std::int32_t result;
    } cases[] = {
        {"two components", [](GeneratorFixture& f) { f.setInput(2, 8); }, kCommandBadArgument},
        {"output depth 3", [](GeneratorFixture& f) { f.info->outputDepth = 3; },
         kCommandBadArgument},
        {"no width", [](GeneratorFixture& f) { f.info->imageWidth = 0; }, kCommandBadArgument},
        {"no band height", [](GeneratorFixture& f) { f.info->bandHeight = 0; },
         kCommandBadArgument},
        {"no job context", [](GeneratorFixture& f) { f.info->context = nullptr; },
         kCommandBadArgument},
        {"family 2", [](GeneratorFixture& f) { f.context->modelTable.PrinterSize = 2; },
         kFamilyNotSupported},
    };
    for (const auto& c : cases) {
        GeneratorFixture f;
        c.set(f);
        EXPECT_EQ(tarn_Cmd_Initialize(f.info), c.result) << c.what;
        EXPECT_EQ(f.info->conversionBuffer, nullptr) << c.what;
    }
    EXPECT_EQ(tarn_Cmd_Initialize(nullptr), kCommandBadArgument);
}

TEST(CommandGenerator, FrontChecksEveryOperation) {
    GeneratorFixture f;
    ASSERT_EQ(tarn_Cmd_Initialize(f.info), 0);
    Bytes buffer(256, 0xEE);
    const Bytes pixels(48, 0);
    const TARNRect rect{0, 0, 1, 16};
    for (const Operation operation : kOperations) {
        std::uint32_t length = 7;
        EXPECT_EQ(operation(nullptr, buffer.data(), 256, &length), kCommandBadArgument);
        EXPECT_EQ(operation(f.info, nullptr, 256, &length), kCommandBadArgument);
        EXPECT_EQ(length, 0u);
        EXPECT_EQ(operation(f.info, buffer.data(), 256, nullptr), kCommandBadArgument);
        f.context->modelTable.PrinterSize = 2;
        length = 7;
        EXPECT_EQ(operation(f.info, buffer.data(), 256, &length), kFamilyNotSupported);
        EXPECT_EQ(length, 0u);
        f.context->modelTable.PrinterSize = 1;
    }
    std::uint32_t length = 7;
    f.context->modelTable.PrinterSize = 2;
    EXPECT_EQ(tarn_Cmd_ImageBand(f.info, buffer.data(), 256, &length, pixels.data(), &rect),
              kFamilyNotSupported);
    f.context->modelTable.PrinterSize = 1;
    EXPECT_EQ(tarn_Cmd_ImageBand(f.info, buffer.data(), 256, &length, nullptr, &rect),
              kCommandBadArgument);
    EXPECT_EQ(tarn_Cmd_ImageBand(f.info, buffer.data(), 256, &length, pixels.data(), nullptr),
              kCommandBadArgument);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.end()), Bytes(256, 0xEE));
    EXPECT_EQ(tarn_Cmd_GetInfo_OutputColorSpece(nullptr, nullptr), kCommandBadArgument);
}

TEST(CommandGenerator, PageCounterCountsPagesOfAJob) {
    GeneratorFixture f;
    ASSERT_EQ(tarn_Cmd_Initialize(f.info), 0);
    f.info->pageCounter = 9;
    f.run(tarn_Cmd_BeginJob);
    EXPECT_EQ(f.info->pageCounter, 0);
    f.run(tarn_Cmd_BeginPage);
    f.run(tarn_Cmd_BeginPage);
    EXPECT_EQ(f.info->pageCounter, 2);
}

TEST(CommandGenerator, BandsBeyondTheSizedBuffersAreRefused) {
    // The buffers are sized for 16 × 2; a caption-widened band must fit that width.
    GeneratorFixture f;
    f.info->bandHeight = 2;
    f.info->outputDepth = kDepth12;
    ASSERT_EQ(tarn_Cmd_Initialize(f.info), 0);
    const Bytes pixels(17 * 3 * 3, 0x40);
    const struct {
        const char* what;
        TARNRect rect;
        std::int32_t result;
    } cases[] = {
        {"full size", {0, 0, 2, 16}, 0},
        {"narrower, offset", {4, 5, 5, 12}, 0},
        {"one pixel wider", {0, 0, 1, 17}, kCommandBadArgument},
        {"one row taller", {0, 0, 3, 16}, kCommandBadArgument},
        {"empty", {0, 3, 1, 3}, kCommandBadArgument},
        {"inverted", {2, 0, 1, 16}, kCommandBadArgument},
        {"extreme", {0, INT32_MIN, 1, INT32_MAX}, kCommandBadArgument},
    };
    for (const auto& c : cases) {
        Bytes buffer(4096);
        std::uint32_t length = 7;
        const std::int32_t result =
            tarn_Cmd_ImageBand(f.info, buffer.data(), 4096, &length, pixels.data(), &c.rect);
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(length == 0, c.result != 0) << c.what;
    }
}

TEST(CommandGenerator, ImageBandNeedsAnInitializedRecord) {
    GeneratorFixture f;
    const Bytes pixels(48, 0);
    std::int32_t result = 0;
    EXPECT_TRUE(f.band(pixels, 16, 1, 0, &result).empty());
    EXPECT_EQ(result, kCommandBadArgument);
}

TEST(CommandGenerator, TerminateReleasesEveryRecord) {
    EXPECT_EQ(tarn_Cmd_Terminate(nullptr), kCommandBadArgument);
    // The sanitizer's leak check sees anything not released.
    GeneratorFixture seedRow;
    ASSERT_EQ(tarn_Cmd_Initialize(seedRow.info), 0);
    EXPECT_EQ(tarn_Cmd_Terminate(std::exchange(seedRow.info, nullptr)), 0);

    GeneratorFixture otherFamily;
    otherFamily.context->modelTable.PrinterSize = 2;
    EXPECT_EQ(tarn_Cmd_Terminate(std::exchange(otherFamily.info, nullptr)), kFamilyNotSupported);

    GeneratorFixture noContext;
    noContext.info->context = nullptr;
    EXPECT_EQ(tarn_Cmd_Terminate(std::exchange(noContext.info, nullptr)), 0);
}

// The band bound is what sizes the command buffer, so no data may need more: incompressible
// rows, first (PackBits) and seed-coded bands, every depth, plane count and compression, each
// written into a buffer of exactly the bound.
TEST(CommandGenerator, NoBandNeedsMoreThanTheBandBound) {
    std::uint32_t noise = 12345;
    const auto random = [&noise] {
        noise = noise * 1103515245u + 12345u;
        return static_cast<std::uint8_t>(noise >> 16);
    };
    for (const int planes : {1, 3, 4}) {
        for (const std::int32_t depth : {kDepth8, kDepth10, kDepth12}) {
            for (const std::int32_t choice : {1, 2, 5}) {
                GeneratorFixture f;
                f.setInput(planes, 8);
                f.info->outputDepth = depth;
                f.info->compression = choice;
                f.info->imageWidth = 301;
                f.info->bandHeight = 3;
                ASSERT_EQ(tarn_Cmd_Initialize(f.info), 0);
                const std::uint32_t bound = f.info->bandCommandSize;
                for (int band = 0; band < 2; ++band) {
                    Bytes pixels(std::size_t{301} * 3 * planes);
                    std::generate(pixels.begin(), pixels.end(), random);
                    std::int32_t result = -1;
                    const TARNRect rect{0, 0, 3, 301};
                    const Bytes out = f.run(
                        [&](Cmd_Info* i, std::uint8_t* b, std::uint32_t c, std::uint32_t* l) {
                            return tarn_Cmd_ImageBand(i, b, c, l, pixels.data(), &rect);
                        },
                        &result, bound);
                    EXPECT_EQ(result, 0) << planes << " " << depth << " " << choice;
                    EXPECT_LE(out.size(), bound);
                }
            }
        }
    }
}

// A raster restart (image end, then begin at the widest coordinates) fits the same bound.
TEST(CommandGenerator, RasterRestartFitsTheBandBound) {
    GeneratorFixture f;
    f.setInput(4, 8);
    f.info->drawMode = 0;
    f.info->graphicsResolution[0] = f.info->graphicsResolution[1] = 65535;
    f.info->imageX = std::numeric_limits<std::int32_t>::min();
    f.info->imageY = std::numeric_limits<std::int32_t>::max();
    f.info->imageWidth = 1;
    ASSERT_EQ(tarn_Cmd_Initialize(f.info), 0);
    const std::uint32_t bound = f.info->bandCommandSize;
    const Bytes restart =
        f.run(tarn_Cmd_EndImage, nullptr, bound) + f.run(tarn_Cmd_BeginImage, nullptr, bound);
    EXPECT_LE(restart.size(), kImageRestartMax);
    EXPECT_LE(kImageRestartMax, bound);
}

// A band whose commands do not fit its buffer is refused with 12010 and nothing written past the
// buffer, whatever the compression and however short the buffer (each is allocated at exactly its
// size, so the sanitizer sees a byte beyond it). The refused band leaves the seed stores as they
// were: the next bands come out as if it had never been asked for.
TEST(CommandGenerator, BandsThatDoNotFitTheirBufferAreRefusedWithinIt) {
    constexpr std::uint32_t kWidth = 16;
    constexpr std::uint32_t kRows = 2;
    Bytes first(kWidth * kRows * 3);
    Bytes second(first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        first[i] = static_cast<std::uint8_t>(i * 37 % 251);
        second[i] = static_cast<std::uint8_t>(i * 11 % 7);
    }
    for (const std::int32_t choice : {1, 2, 5}) {
        SCOPED_TRACE(testing::Message() << "compression choice " << choice);
        GeneratorFixture reference;
        reference.info->compression = choice;
        reference.info->bandHeight = kRows;
        ASSERT_EQ(tarn_Cmd_Initialize(reference.info), 0);
        const Bytes expectedFirst = reference.band(first, kWidth, kRows);
        const Bytes expectedSecond = reference.band(second, kWidth, kRows);
        ASSERT_FALSE(expectedFirst.empty());

        GeneratorFixture f;
        f.info->compression = choice;
        f.info->bandHeight = kRows;
        ASSERT_EQ(tarn_Cmd_Initialize(f.info), 0);
        const TARNRect rect{0, 0, static_cast<std::int32_t>(kRows),
                            static_cast<std::int32_t>(kWidth)};
        const auto bandInto = [&](std::size_t room, std::int32_t* result) {
            return f.run(
                [&](Cmd_Info* i, std::uint8_t* b, std::uint32_t c, std::uint32_t* l) {
                    return tarn_Cmd_ImageBand(i, b, c, l, first.data(), &rect);
                },
                result, room);
        };
        for (const std::size_t room :
             {expectedFirst.size() - 1, expectedFirst.size() / 2, std::size_t{5}, std::size_t{1}}) {
            std::int32_t result = 0;
            EXPECT_TRUE(bandInto(room, &result).empty()) << room << " bytes";
            EXPECT_EQ(result, kCommandBadArgument) << room << " bytes";
        }
        std::int32_t result = -1;
        EXPECT_EQ(bandInto(expectedFirst.size(), &result), expectedFirst);
        EXPECT_EQ(result, 0);
        EXPECT_EQ(f.band(second, kWidth, kRows), expectedSecond);
    }
}

// The other operations are refused the same way, from their first command to their last.
TEST(CommandGenerator, OperationsThatDoNotFitTheirBufferAreRefusedWithinIt) {
    GeneratorFixture reference;
    ASSERT_EQ(tarn_Cmd_Initialize(reference.info), 0);
    for (const Operation operation : kOperations) {
        const Bytes whole = reference.run(operation);
        ASSERT_FALSE(whole.empty());
        for (std::size_t room = 0; room < whole.size(); ++room) {
            GeneratorFixture f;
            ASSERT_EQ(tarn_Cmd_Initialize(f.info), 0);
            std::int32_t result = 0;
            EXPECT_TRUE(f.run(operation, &result, room).empty()) << room << " of " << whole.size();
            EXPECT_EQ(result, kCommandBadArgument) << room << " of " << whole.size();
        }
    }
}

}  // namespace
